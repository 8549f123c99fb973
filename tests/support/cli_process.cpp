#include "support/cli_process.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vardane {

namespace fs = std::filesystem;

namespace cli_test {

namespace {

// vardane-cli with its standard output on a pipe and its standard error in
// errPath; throws when it cannot start.
running_cli spawn_cli(const std::vector<std::string>& args, const char* errPath)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> text{cli_path()};
    text.insert(text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : text) argv.push_back(a.data());
    argv.push_back(nullptr);
    running_cli process;
    const int rc = posix_spawn(&process.pid, text[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        throw std::runtime_error("cannot start " + text[0]);
    }
    process.stdoutFd = fds[0];
    return process;
}

} // namespace

std::string cli_path() { return std::string(VARDANE_BUILD_DIR) + "/cli/vardane-cli"; }

std::vector<std::string> split_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

process_result run_cli(const std::vector<std::string>& args, const fs::path& scratch)
{
    const fs::path errFile = scratch / ".cli-stderr";
    running_cli process = spawn_cli(args, errFile.c_str());
    process_result result = finish_cli(process);
    std::ifstream err(errFile, std::ios::binary);
    result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    fs::remove(errFile);
    return result;
}

running_cli start_cli(const std::vector<std::string>& args) { return spawn_cli(args, "/dev/null"); }

process_result finish_cli(running_cli& process)
{
    process_result result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(process.stdoutFd, buffer, sizeof buffer);
        if (n > 0) {
            result.out.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(process.stdoutFd);
    process.stdoutFd = -1;
    while (::waitpid(process.pid, &result.status, 0) < 0) {
        if (errno != EINTR) {
            result.status = -1;
            return result;
        }
    }
    result.status = WIFEXITED(result.status) ? WEXITSTATUS(result.status) : -1;
    result.lines = split_lines(result.out);
    return result;
}

} // namespace cli_test

} // namespace vardane
