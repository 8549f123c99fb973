#include "batch/signal_gate.h"

#include <cerrno>
#include <initializer_list>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace vardane {

namespace {

sigset_t cancel_signals()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, signal);
    return set;
}

} // namespace

void hold_cancel_signals()
{
    const sigset_t set = cancel_signals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    // An ignored signal is dropped even while blocked; a blocked one with
    // its default action stays pending until the gate reads it.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
}

signal_gate::signal_gate()
{
    const sigset_t set = cancel_signals();
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
    fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

signal_gate::~signal_gate()
{
    while (take() != 0) {}
    if (fd_ >= 0) ::close(fd_);
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

int signal_gate::take()
{
    signalfd_siginfo info{};
    for (;;) {
        const ssize_t n = ::read(fd_, &info, sizeof info);
        if (n == static_cast<ssize_t>(sizeof info)) return static_cast<int>(info.ssi_signo);
        if (n < 0 && errno == EINTR) continue;
        return 0;
    }
}

} // namespace vardane
