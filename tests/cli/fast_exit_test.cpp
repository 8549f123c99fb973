// How the command line's processes end: at once with their status, without
// the exit handlers of what they link; in a sanitizer build only after the
// leak check that those handlers would have run.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "batch/fast_exit.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace vardane {

namespace {

struct child_end {
    int waitStatus = 0;
    std::string errors; // standard error, and the sanitizer's reports
};

int errorFd = -1;

// Runs `body` in a forked child whose standard error and sanitizer reports
// go into a pipe that the parent reads to the end.
child_end in_child(void (*body)())
{
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::dup2(fds[1], STDERR_FILENO);
        errorFd = fds[1];
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(fds[1])));
#endif
        body();
        ::_exit(99); // body returned: never reached through fast_exit
    }
    ::close(fds[1]);
    child_end end;
    char chunk[4096];
    for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) != 0;) {
        if (n > 0)
            end.errors.append(chunk, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(fds[0]);
    while (::waitpid(pid, &end.waitStatus, 0) < 0 && errno == EINTR) {}
    return end;
}

void say_handler_ran() { [[maybe_unused]] const auto n = ::write(errorFd, "handler ran\n", 12); }

} // namespace

TEST(FastExit, EndsWithTheStatusWithoutRunningExitHandlers)
{
    const auto end = in_child([] {
        std::atexit(say_handler_ran);
        fast_exit(7);
    });
    ASSERT_TRUE(WIFEXITED(end.waitStatus)) << end.errors;
    EXPECT_EQ(WEXITSTATUS(end.waitStatus), 7) << end.errors;
    EXPECT_EQ(end.errors.find("handler ran"), std::string::npos) << end.errors;
}

#if defined(__SANITIZE_ADDRESS__)

namespace {

int* volatile lastBlock = nullptr;

// Out of line, so that no pointer to the blocks is left in a live frame or
// register when the leak check looks.
[[gnu::noinline]] void lose_blocks()
{
    for (int i = 0; i < 4; ++i) lastBlock = new int[16 + i];
    lastBlock = nullptr;
}

} // namespace

TEST(FastExit, SanitizerBuildChecksForLeaksBeforeLeaving)
{
    const auto end = in_child([] {
        lose_blocks();
        fast_exit(0);
    });
    ASSERT_TRUE(WIFEXITED(end.waitStatus)) << end.errors;
    EXPECT_NE(WEXITSTATUS(end.waitStatus), 0) << end.errors;
    EXPECT_NE(end.errors.find("LeakSanitizer: detected memory leaks"), std::string::npos) << end.errors;
    EXPECT_NE(end.errors.find("lose_blocks"), std::string::npos) << end.errors;
}

#endif

} // namespace vardane
