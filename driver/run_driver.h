#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "driver/run_request.h"
#include "driver/run_sink.h"
#include "output/gdal_session.h"
#include "util/failure.h"

namespace vardane {

class spinfo;
class spconverter;
class spout;
struct productInfo_t;
struct spcvt_listitem;
struct file_job;
struct product_rule;

// The per-file conversion pipeline and its run state. Qt-free: the window and
// the command-line front end each own one and report through a run_sink.
//
// The driver never changes the process's current directory: it resolves
// every name against the folders of its request and hands writers full
// paths inside its working folder, so several drivers can live in one
// process and the caller's relative paths keep their meaning.
class run_driver {
public:
    run_driver(spinfo& info, spconverter& converter, spout& out, run_sink& sink);
    ~run_driver();
    run_driver(const run_driver&) = delete;
    run_driver& operator=(const run_driver&) = delete;

    // Prepare the working folder and start the worker thread. False (after
    // logging "Fail in working-folder. Abort.") when nothing was started.
    bool RunAction(const run_request& request);
    // True while a worker thread exists that has not been joined.
    bool running() const;
    // Wait for the worker to end.
    void join();
    // Ask the worker to stop at its next cancel check; safe from any thread.
    void cancel() noexcept { FlagCancel = true; }
    // The flag cancel() sets, for a signal handler to set directly.
    std::atomic<bool>& cancel_flag() noexcept { return FlagCancel; }
    // True when the last run ended normally (it logged "Completed."); false
    // while running and after a run that an exception ended.
    bool completed() const { return completed_.load(); }
    // The request of the current or last run, its folders made absolute and
    // the output folder ending in '/' (empty when none was given).
    const run_request& request() const { return request_; }

    // Worker side; public so that tests can run a whole run synchronously
    // (after RunAction's preparations, with the worker joined) and drive
    // single steps.
    void RunActionProcWrapper();
    // Logs `line` for every input of the request and reports each as failed
    // for `why`: the run did not start.
    void report_unstarted(const std::string& line, const failure& why);
    void RunActionProc();
    bool read_lonlat(const std::string& name, std::int32_t index);
    // Moves the working folder's file `name` into the request's output
    // folder and reports it; a move the file system refuses is a failure of
    // that output (kind).
    void move_created(const std::string& name, const std::string& kind);
    // Full path of a file of the working folder.
    std::string work_path(const std::string& name) const;

private:
    // Per-file steps, each in the source file named after it. `path` is
    // the input's full path.
    void process_file(const std::string& path, bool& stop);
    void build_selection(file_job& job);                              // selection_step.cpp
    void select_jasmes(file_job& job);                                // selection_step.cpp
    void read_geolocation(const product_rule& rule);                  // selection_step.cpp
    bool convert_variable(file_job& job, const spcvt_listitem& item); // variable_stages.cpp
    void tiff_stage(file_job& job, const productInfo_t& info, const std::string& stem);
    void swath_geotiff_stage(file_job& job, std::int32_t index, const std::string& stem);
    void gridded_geotiff_stage(file_job& job, const std::string& stem); // gridded_geotiff_stage.cpp
    void kmz_stage(file_job& job, std::int32_t index, const std::string& key, const std::string& stem); // kmz_stage.cpp
    void netcdf_step(file_job& job);        // netcdf_step.cpp
    void position_info_step(file_job& job); // position_info_step.cpp
    void clean_up();
    // Starts GDAL's set-up in the background once a file needs it.
    void warm_up_writers(const file_job& job);

    // The cancel check: true when the run is to stop here. Logs the message
    // the first time in a run only.
    bool cancel_requested();
    void pause() const;
    void log(const std::string& text) { sink_.printLog(text); }
    // Logs a line that says something asked for was not made and reports it
    // as a failure event of the current input carrying why (the file
    // concerned and the library's or system's cause).
    void fail(const std::string& line, const std::string& kind, const failure& why);
    // fail() for a writer call of out_ that returned false.
    void fail_writer(const std::string& line, const std::string& kind);
    // The reader's failure of the last read of the current file; one naming
    // the file alone when the read succeeded but gave unusable samples.
    failure read_failure() const;
    // The file loop's step for one file. An exception of any type thrown
    // while converting it ends that file only: its leftovers in the working
    // folder go, it is logged and reported as a failure of that file, and
    // the run goes on with the next file.
    void convert_file(const std::string& path, bool& stop);
    // What convert_file does with an exception it caught.
    void fail_file(const std::string& line, const failure& why);
    // A relative path names a file of the request's base folder.
    std::string resolved(const std::string& path) const;
    // The output folder as typed, made the prefix of every move: blanks
    // trimmed, resolved, one trailing '/'; empty when nothing was typed.
    std::string destination_prefix(const std::string& folder) const;

    spinfo& info_;
    spconverter& converter_;
    spout& out_;
    run_sink& sink_;
    run_request request_;
    std::atomic<bool> FlagCancel{false};
    bool cancelLogged_ = false;
    std::atomic<bool> completed_{false};
    std::thread Tjob;
    // Started with the first file whose outputs go through GDAL, so that
    // its set-up runs beside that file's read.
    std::unique_ptr<gdal_session::warm_up> gdalWarmUp_;

    // Outputs this run has put in the output folder, by file name, with the
    // source each was made from: a second output of the same name is a
    // failure, never a silent overwrite.
    std::map<std::string, std::string> produced_;
    // The input file, and the option key of the variable, whose outputs are
    // being written.
    std::string currentSource_;
    std::string currentKey_;
};

} // namespace vardane
