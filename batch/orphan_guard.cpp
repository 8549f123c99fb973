#include "batch/orphan_guard.h"

#include <algorithm>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace vardane {

namespace {

// As long as the parent itself waits for a silent worker after a cancel.
constexpr auto kOrphanGrace = std::chrono::seconds(5);
// The exit status nobody reads: the parent is gone.
constexpr int kOrphanStatus = 1;

} // namespace

orphan_guard::orphan_guard(pid_t parent) : parent_(parent) { ::prctl(PR_SET_PDEATHSIG, SIGTERM); }

// An orphan has been given a new parent: the nearest subreaper, or PID 1.
bool orphan_guard::parent_gone() const { return ::getppid() != parent_; }

void orphan_guard::on_cancel()
{
    if (orphaned_ || !parent_gone()) return;
    orphaned_ = true;
    deadline_ = std::chrono::steady_clock::now() + kOrphanGrace;
}

int orphan_guard::poll_timeout_ms() const
{
    if (!orphaned_) return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

void orphan_guard::end_if_overdue(const std::filesystem::path& workFolder) const
{
    if (!orphaned_ || std::chrono::steady_clock::now() < deadline_) return;
    std::error_code ec;
    std::filesystem::remove_all(workFolder, ec);
    // Straight out, past the exit handlers and a sanitizer's leak check:
    // the run's thread is stuck in the middle of its work, its memory in use.
    ::_exit(kOrphanStatus);
}

} // namespace vardane
