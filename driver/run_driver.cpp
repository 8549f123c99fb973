#include "driver/run_driver.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <pthread.h>

#include "driver/run_messages.h"
#include "driver/working_folder.h"
#include "output/spout.h"
#include "reader/spinfo.h"
#include "util/string_utils.h"
#include "util/vdn_exception.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

// The kernel keeps 15 bytes of a thread name.
constexpr const char* kWorkerName = "RunActionProc_Thread";
constexpr std::size_t kKernelNameBytes = 15;

void name_this_thread()
{
    const std::string name = std::string(kWorkerName).substr(0, kKernelNameBytes);
    pthread_setname_np(pthread_self(), name.c_str());
}

} // namespace

run_driver::run_driver(spinfo& info, spconverter& converter, spout& out, run_sink& sink)
    : info_(info), converter_(converter), out_(out), sink_(sink)
{
}

run_driver::~run_driver()
{
    if (Tjob.joinable()) {
        FlagCancel = true;
        Tjob.join();
    }
}

namespace {

fs::path absolute_in(const fs::path& base, const fs::path& p)
{
    if (p.empty() || p.is_absolute() || base.empty()) return p;
    return base / p;
}

} // namespace

void run_driver::report_unstarted(const std::string& line, const failure& why)
{
    // Every input of a run that could not start is a failure of its own, so
    // that the summary, the report and the exit status all count it.
    if (request_.inputs.empty()) sink_.printLog(line);
    const int total = static_cast<int>(request_.inputs.size());
    int done = 0;
    for (const auto& input : request_.inputs) {
        const std::string path = resolved(input);
        sink_.progress(done++, total, path);
        sink_.printLog(line);
        sink_.report(run_event{run_event_type::failure, {}, path, why});
    }
    sink_.progress(done, total, "");
}

bool run_driver::RunAction(const run_request& request)
{
    // A finished worker that nobody joined yet: it has already posted its
    // switch back to idle.
    if (Tjob.joinable()) Tjob.join();

    request_ = request;
    std::error_code ec;
    if (request_.baseFolder.empty()) request_.baseFolder = fs::current_path(ec);
    request_.workFolder = absolute_in(request_.baseFolder, request_.workFolder).lexically_normal();
    request_.outputFolder = destination_prefix(request_.outputFolder);
    // A missing output folder is the run's to report; a working folder
    // inside it is not made again, nor the output folder with it.
    std::error_code outputError;
    const bool outputThere = !request_.outputFolder.empty() && fs::is_directory(request_.outputFolder, outputError);
    std::string why = ec ? ec.message() : std::string();
    if (ec || (outputThere && !prepare_working_folder(request_.workFolder, &why))) {
        report_unstarted(run_msg::kWorkFolderFailed, failure{request_.workFolder.string(), why});
        return false;
    }
    empty_folder(request_.workFolder);

    sink_.printNewLog(run_msg::kStart);
    FlagCancel = false;
    completed_ = false;
    produced_.clear();
    sink_.ChangeRunMode(true);

    Tjob = std::thread([this] {
        name_this_thread();
        RunActionProcWrapper();
    });
    return true;
}

bool run_driver::running() const { return Tjob.joinable(); }

void run_driver::join()
{
    if (Tjob.joinable()) Tjob.join();
}

void run_driver::RunActionProcWrapper()
{
    try {
        RunActionProc();
        completed_ = true;
        log(run_msg::kCompleted);
    } catch (const vdn_exception& e) {
        log(e.what());
    } catch (const std::exception& e) {
        log(std::string(run_msg::kExceptionPrefix) + e.what());
    } catch (...) {
        log(run_msg::kUnhandled);
    }
}

std::string run_driver::resolved(const std::string& path) const
{
    return absolute_in(request_.baseFolder, path).string();
}

std::string run_driver::work_path(const std::string& name) const { return (request_.workFolder / name).string(); }

std::string run_driver::destination_prefix(const std::string& folder) const
{
    // Blanks typed around the folder are no part of it.
    const std::string typed = trim_space(folder);
    if (typed.empty()) return {};
    std::string prefix = resolved(typed);
    if (prefix.back() != '/') prefix += '/';
    return prefix;
}

void run_driver::fail(const std::string& line, const std::string& kind, const failure& why)
{
    log(line);
    // Every failure names a file and a cause: where a step had no words of
    // its own, the line it logged says what went wrong.
    failure reported = why;
    if (reported.file.empty()) reported.file = currentSource_;
    if (reported.cause.empty()) reported.cause = line;
    sink_.report(run_event{run_event_type::failure, kind, currentSource_, reported});
}

void run_driver::fail_writer(const std::string& line, const std::string& kind)
{
    fail(line, kind, out_.last_failure());
}

failure run_driver::read_failure() const
{
    if (info_.last_failure().failed()) return info_.last_failure();
    return failure{currentSource_, "the read gave no usable samples"};
}

void run_driver::clean_up()
{
    empty_folder(request_.workFolder);
    sink_.ChangeRunMode(false);
}

bool run_driver::cancel_requested()
{
    if (!FlagCancel) return false;
    if (!cancelLogged_) {
        cancelLogged_ = true;
        log(run_msg::kCancel);
        sink_.report(run_event{run_event_type::cancelled, {}, {}, {}});
    }
    return true;
}

void run_driver::pause() const
{
    if (request_.paceMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(request_.paceMs));
}

} // namespace vardane
