#include "cli/cancel_signal.h"

#include <csignal>

namespace {

std::atomic<bool>* gFlag = nullptr;
std::atomic<bool>* gKeep = nullptr;
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void on_cancel_signal(int)
{
    if (gFlag) gFlag->store(true);
    if (gKeep) gKeep->store(true);
}

} // namespace

void route_cancel_signals(std::atomic<bool>* flag, std::atomic<bool>* keep)
{
    gFlag = flag;
    gKeep = keep;
    struct sigaction action {};
    action.sa_handler = on_cancel_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
