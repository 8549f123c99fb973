#pragma once
// vardane-cli in a process group of its own, so that a test can signal the
// whole run and see whether any process of it is left.

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

#include "support/cli_process.h"

namespace vardane {

namespace cli_test {

// vardane-cli as the leader of its own process group, as a service manager
// starts it: standard output on a pipe, standard error into `errPath`
// (inherited when empty), and the `environment` entries ("NAME=value") on
// top of this process's.
running_cli start_group_leader(const std::vector<std::string>& args, const std::string& errPath = {},
                               const std::vector<std::string>& environment = {});

// Reads standard output until it holds `text` or ends; what was read stays
// in `out`.
void read_until(const running_cli& run, std::string& out, const std::string& text);

// Waits up to `limit` for the run to end, reading its output; a run that
// does not end in time is killed with its group and fails the test.
process_result finish_within(running_cli& run, std::chrono::seconds limit);

// The processes of process group `group` that still run. A zombie does not
// count: an orphan's new parent may be slow to reap it, or never do.
std::vector<pid_t> live_members(pid_t group);

} // namespace cli_test

} // namespace vardane
