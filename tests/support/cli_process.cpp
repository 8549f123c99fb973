#include "support/cli_process.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace cli_test {

namespace {

// Starts vardane-cli with the arguments and the file actions (which it
// destroys); throws when it cannot start.
pid_t spawn_cli(const std::vector<std::string>& args, posix_spawn_file_actions_t& actions)
{
    std::vector<std::string> text{cli_path()};
    text.insert(text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : text) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, text[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + text[0]);
    return pid;
}

int wait_status(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

std::string cli_path() { return std::string(VARDANE_BUILD_DIR) + "/cli/vardane-cli"; }

std::vector<std::string> split_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

process_result run_cli(const std::vector<std::string>& args, const fs::path& scratch)
{
    const fs::path outFile = scratch / ".cli-stdout";
    const fs::path errFile = scratch / ".cli-stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const pid_t pid = spawn_cli(args, actions);
    process_result result;
    result.status = wait_status(pid);
    result.out = read_file(outFile);
    result.err = read_file(errFile);
    result.lines = split_lines(result.out);
    fs::remove(outFile);
    fs::remove(errFile);
    return result;
}

running_cli start_cli(const std::vector<std::string>& args)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    running_cli process;
    try {
        process.pid = spawn_cli(args, actions);
    } catch (...) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw;
    }
    ::close(fds[1]);
    process.stdoutFd = fds[0];
    return process;
}

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
    result.status = wait_status(process.pid);
    result.lines = split_lines(result.out);
    return result;
}

} // namespace cli_test
