#include "batch/worker_main.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "driver/run_driver.h"
#include "driver/working_folder.h"
#include "batch/fast_exit.h"
#include "batch/memory_limit.h"
#include "batch/orphan_guard.h"
#include "batch/product_kind_name.h"
#include "batch/signal_gate.h"
#include "batch/worker_process.h"
#include "batch/worker_sink.h"
#include "output/spout.h"
#include "output/swath/cell_walk.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

void silence_standard_error()
{
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    ::dup2(null, STDERR_FILENO);
    ::close(null);
}

// Task lines from standard input, one at a time, unless a signal comes first.
class task_reader {
public:
    explicit task_reader(signal_gate& signals) : signals_(signals) {}

    // False at the end of input or when a signal came.
    bool next(std::string& line)
    {
        if (signals_.take() != 0) return false;
        for (;;) {
            if (const auto end = buffer_.find('\n'); end != std::string::npos) {
                line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return true;
            }
            pollfd fds[] = {{STDIN_FILENO, POLLIN, 0}, {signals_.fd(), POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (signals_.take() != 0) return false;
            if (fds[0].revents == 0) continue;
            char chunk[4096];
            const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (n == 0 || (n < 0 && errno != EINTR)) return false;
            if (n > 0) buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

private:
    signal_gate& signals_;
    std::string buffer_;
};

// One run of the driver over the files of a task. True when a cancel signal
// came during it.
bool convert_task(run_driver& driver, const run_request& request, worker_sink& sink, signal_gate& signals,
                  orphan_guard& orphan)
{
    bool cancelled = false;
    const bool started = driver.RunAction(request);
    while (started && !sink.run_ended()) {
        pollfd fds[] = {{signals.fd(), POLLIN, 0}, {sink.ended_fd(), POLLIN, 0}};
        ::poll(fds, 2, orphan.poll_timeout_ms());
        if (signals.take() != 0) {
            cancelled = true;
            driver.cancel();
            orphan.on_cancel();
        }
        orphan.end_if_overdue(request.workFolder);
    }
    driver.join();
    sink.send(task_ended{started && driver.completed(), sink.memory_failed()});
    return cancelled;
}

} // namespace

int run_worker(const batch_options& options, spconverter& settings, pid_t parent)
{
    orphan_guard orphan(parent);
    if (orphan.parent_gone()) return 0;
    // Before the driver's thread and the libraries map anything: every
    // allocation of the conversions counts against it.
    apply_memory_limit(options.maxMemory.value_or(default_memory_limit(options.jobs)));
    // The cores are shared among the workers converting at once.
    set_drawing_threads(std::max(1u, std::thread::hardware_concurrency()) / unsigned(std::max(1, options.jobs)));
    // What the libraries print for themselves (GDAL's warnings, the HDF5
    // reader's attribute names) is for those who ask for it; the parent
    // reports every failure with its cause.
    if (!options.verbose) {
        keep_sanitizer_reports_on_standard_error();
        silence_standard_error();
    }
    std::signal(SIGPIPE, SIG_IGN);
    signal_gate signals;

    spinfo info;
    worker_sink sink(kChannelFd, [&info] { return product_kind_name(info.getType()); });
    spout out;
    run_driver driver(info, settings, out, sink);
    std::error_code ec;
    run_request request;
    request.outputFolder = options.output;
    const owned_work_folder workFolder(fs::absolute(options.output, ec), kWorkFolderPrefix);
    request.workFolder = workFolder.path();
    request.switches = options.kinds;
    request.paceMs = options.paceMs;
    request.geotiff = options.geotiff;

    task_reader tasks(signals);
    for (std::string line; sink.connected() && tasks.next(line);) {
        request.inputs = decode_task(line);
        if (convert_task(driver, request, sink, signals, orphan) || sink.memory_failed()) break;
    }
    return 0;
}

} // namespace vardane
