#pragma once
// Running vardane-cli as a separate process from a test.

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vardane {

namespace cli_test {

struct process_result {
    int status = -1; // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
    std::vector<std::string> lines; // standard output split at line feeds
};

std::string cli_path();

// Runs vardane-cli with the arguments and waits for it.
process_result run_cli(const std::vector<std::string>& args, const std::filesystem::path& scratch);

// Starts vardane-cli with its standard output on a pipe that the caller
// reads (or leaves unread, which stops the process once the pipe is full).
struct running_cli {
    pid_t pid = -1;
    int stdoutFd = -1;
};
running_cli start_cli(const std::vector<std::string>& args);
// Reads the rest of the output and waits for the end.
process_result finish_cli(running_cli& process);

std::vector<std::string> split_lines(const std::string& text);

} // namespace cli_test

} // namespace vardane
