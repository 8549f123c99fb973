#pragma once

#include <chrono>
#include <filesystem>
#include <sys/types.h>

namespace vardane {

// Makes sure a worker does not outlive its parent. The parent's death comes
// to the worker as a cancel signal (PR_SET_PDEATHSIG), which a conversion
// honours at its next check and then cleans up; but a conversion stuck in a
// library call never reaches one and would spin on under PID 1. So after a
// cancel that finds the parent gone, the worker gives its conversion a grace
// and then ends itself.
class orphan_guard {
public:
    // In the worker, before its first task: `parent` is the process that
    // forked it, taken before the fork.
    explicit orphan_guard(pid_t parent);

    // The parent died before the signal was asked for, and sent none.
    bool parent_gone() const;

    // A cancel signal came: when the parent is gone, the grace starts.
    void on_cancel();
    // How long a poll may wait before end_if_overdue must look again; -1
    // while no grace runs.
    int poll_timeout_ms() const;
    // Once the grace has run out, removes `workFolder` as far as it can and
    // ends the process; a file the stuck conversion still holds there is
    // left to the next run's sweep of the folders of dead processes.
    void end_if_overdue(const std::filesystem::path& workFolder) const;

private:
    pid_t parent_;
    bool orphaned_ = false;
    std::chrono::steady_clock::time_point deadline_;
};

} // namespace vardane
