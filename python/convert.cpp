// vardane.convert(...): a batch of the command line's worker pool, run from
// Python, with one result per input file.
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <locale>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "batch/batch_cancel.h"
#include "batch/batch_run.h"
#include "batch/worker_main.h"
#include "batch/worker_program.h"
#include "cli/batch_inputs.h"
#include "cli/cli_options.h"
#include "cli/console_sink.h"
#include "cli/file_reporter.h"
#include "cli/report_log.h"
#include "driver/run_messages.h"
#include "driver/working_folder.h"
#include "python/bindings.h"

#include <pybind11/stl.h>

namespace vardane {

namespace py = pybind11;
namespace fs = std::filesystem;

namespace {

// The report a run without one asked for writes, and reads back, in a
// file of its own that goes with the run.
class scratch_report {
public:
    scratch_report()
    {
        std::string pattern = (fs::temp_directory_path() / "vardane-report-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) throw py::value_error("cannot make a temporary report in " + fs::temp_directory_path().string());
        ::close(fd);
        path_ = pattern;
    }
    ~scratch_report()
    {
        std::error_code ec;
        fs::remove(path_, ec);
    }
    scratch_report(const scratch_report&) = delete;
    scratch_report& operator=(const scratch_report&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

py::dict result_of(const file_report& report)
{
    py::list outputs;
    for (const auto& output : report.outputs) {
        py::dict item;
        item["path"] = output.path;
        item["bytes"] = output.bytes;
        outputs.append(item);
    }
    py::list failures;
    for (const auto& failure : report.failures) {
        py::dict item;
        item["line"] = failure.line;
        item["cause"] = failure.cause;
        item["file"] = failure.file;
        failures.append(item);
    }
    py::dict result;
    result["input"] = report.input;
    result["kind"] = report.kind;
    result["outputs"] = outputs;
    result["failures"] = failures;
    result["seconds"] = report.seconds;
    result["cancelled"] = report.cancelled;
    return result;
}

// How often the interpreter's thread looks for a cancel while a batch runs.
constexpr std::chrono::milliseconds kCancelLook{100};

// Runs `batch` (a call that takes the cancel request) on a thread of its
// own, while the calling thread, the interpreter's, looks every tenth of a
// second for a signal (Ctrl-C: the interpreter's handler has run and left
// its exception) or for `cancel` set. Either cancels the batch, which then
// winds down as the command line's does on a signal: workers finish their
// cancel check, the outputs of the files they were in are discarded. The
// signal's exception is raised once the batch has ended.
template <class Batch>
void run_cancellable(Batch batch, const py::object& cancel)
{
    batch_cancel cancelling;
    std::optional<py::error_already_set> raised;
    std::exception_ptr failed;
    std::mutex state;
    std::condition_variable ended;
    bool done = false;
    {
        py::gil_scoped_release released;
        std::jthread runner([&] {
            try {
                batch(cancelling);
            } catch (...) {
                failed = std::current_exception();
            }
            const std::lock_guard<std::mutex> lock(state);
            done = true;
            ended.notify_all();
        });
        std::unique_lock<std::mutex> lock(state);
        while (!ended.wait_for(lock, kCancelLook, [&] { return done; })) {
            lock.unlock();
            {
                const py::gil_scoped_acquire held;
                try {
                    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
                    if (!cancel.is_none() && cancel.attr("is_set")().cast<bool>()) cancelling.request();
                } catch (py::error_already_set& e) {
                    // The batch ends first; the exception is the call's.
                    if (!raised) raised.emplace(std::move(e));
                    cancelling.request();
                }
            }
            lock.lock();
        }
    }
    if (raised) throw std::move(*raised);
    if (failed) std::rethrow_exception(failed);
}

// `arguments` are the command line's own (the package builds them from the
// call's keywords), so that a call means what the same switches mean there.
py::list convert(const std::vector<std::string>& arguments, std::optional<std::string> report,
                 const std::string& worker, const py::object& cancel)
{
    const cli_parse_result parsed = parse_command_line(arguments);
    if (!parsed.error.empty()) throw py::value_error(parsed.error);
    const cli_options& options = parsed.options;
    std::error_code ec;
    if (!fs::is_directory(options.output, ec))
        throw py::value_error(options.output + ": " + run_msg::kOutputFolderMissing);

    batch_options batch = batch_options_of(options);
    // The interpreter owns its signals.
    batch.cancelOnSignals = false;
    const auto inputSet = batch_inputs(options);
    if (!inputSet) throw py::value_error("cannot read the inputs");

    std::optional<scratch_report> scratch;
    if (!report) report = scratch.emplace().path();
    report_log log(*report);
    if (!log.is_open()) throw py::value_error("cannot write the report " + *report);
    file_reporter reporter(log, asked_kinds(options.kinds));
    for (const auto& input : inputSet->inputs.missing) reporter.failed_alone(input, "no such file or folder");

    run_cancellable(
        [&](const batch_cancel& cancelling) {
            sweep_stale_work_folders(options.output, kWorkFolderPrefix);
            // Failure lines and their causes only, as a quiet command line shows.
            console_sink sink(console_mode::quiet, false);
            const worker_launcher launcher{{}, worker_arguments(worker, batch, ::getpid())};
            if (!inputSet->inputs.files.empty())
                run_batch(batch, launcher, inputSet->inputs.files, sink, &reporter, &cancelling);
        },
        cancel);
    if (!log.all_written()) throw py::value_error("records lost in the report " + *report);

    std::ostringstream warnings;
    // Line numbers in the warnings read the same whatever the locale.
    warnings.imbue(std::locale::classic());
    const auto records = read_report(*report, warnings);
    py::list results;
    for (const auto* files : {&inputSet->inputs.files, &inputSet->inputs.missing}) {
        for (const auto& file : *files) {
            const auto it = records.find(input_key(file));
            if (it != records.end()) results.append(result_of(it->second));
        }
    }
    return results;
}

} // namespace

void bind_convert(py::module_& module)
{
    module.def("convert", &convert, py::arg("arguments"), py::arg("report"), py::arg("worker"),
               py::arg("cancel") = py::none(),
               "A batch of vardane-cli ARGUMENTS (no --report) with its workers started as WORKER; cancelled by "
               "a signal (whose exception it raises once the batch has ended) or when CANCEL.is_set().");
}

} // namespace vardane
