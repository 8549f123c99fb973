#pragma once
// Waiting in a test for something another process does. The wait has a
// bound, so a process that stalls or dies early fails the test with the
// caller's message instead of hanging it until ctest's timeout.

#include <chrono>
#include <thread>

namespace vardane {

namespace test_support {

// Polls `ready` until it returns true or `limit` has passed; the result is
// `ready`'s last answer.
template <class Ready>
bool wait_until(Ready ready, std::chrono::milliseconds limit = std::chrono::seconds(60))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= deadline) return ready();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace test_support

} // namespace vardane
