#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/driver/run_sink.h"

class spinfo;
class spconverter;
class spout;
struct productInfo_t;
struct spcvt_listitem;
struct file_job;
struct product_rule;

// The four output kinds ticked for a run; read once when the worker starts.
struct output_switches {
    bool geotiff = false;
    bool kmz = false;
    bool tiffText = false;
    bool netcdf = false;
};

// The per-file conversion pipeline and its run state. Qt-free: the window and
// the command-line front end each own one and report through a run_sink.
class run_driver {
public:
    run_driver(spinfo& info, spconverter& converter, spout& out, run_sink& sink);
    ~run_driver();
    run_driver(const run_driver&) = delete;
    run_driver& operator=(const run_driver&) = delete;

    // Run state. Set inputList, outputFolder and WorkDir before RunAction.
    std::vector<std::string> inputList;
    std::string outputFolder;
    std::string WorkDir;
    std::int32_t Twait = 100;
    std::atomic<bool> FlagCancel{false};

    // Prepare the working folder and start the worker thread. False (after
    // logging "Fail in working-folder. Abort.") when nothing was started.
    bool RunAction(const output_switches& switches);
    // True while a worker thread exists that has not been joined.
    bool running() const;
    // Wait for the worker to end.
    void join();
    // Let the worker run on without keeping the caller (closing the window).
    void detach();
    // True when the last run ended normally (it logged "Completed."); false
    // while running and after a run that an exception ended.
    bool completed() const { return completed_.load(); }

    // Worker side; public so that a caller can run a whole run synchronously
    // on its own thread (after RunAction's preparations) and tests can drive
    // single steps.
    void RunActionProcWrapper();
    void RunActionProc();
    bool read_lonlat(const std::string& name, std::int32_t index);
    void move_created(const std::string& name, const std::string& outdir, const std::string& kind);

private:
    // Per-file steps, each in the source file named after it.
    void process_file(const std::string& path, const std::string& outdir, bool& stop);
    void build_selection(file_job& job);                       // selection_step.cpp
    void select_jasmes(file_job& job);                         // selection_step.cpp
    void read_geolocation(const product_rule& rule);          // selection_step.cpp
    bool convert_variable(file_job& job, const spcvt_listitem& item, const std::string& outdir); // variable_stages.cpp
    void tiff_stage(file_job& job, const productInfo_t& info, const std::string& stem, const std::string& outdir);
    void swath_geotiff_stage(file_job& job, std::int32_t index, const std::string& stem, const std::string& outdir);
    void gridded_geotiff_stage(file_job& job, const std::string& stem, const std::string& outdir); // gridded_geotiff_stage.cpp
    void kmz_stage(file_job& job, const std::string& key, const std::string& stem, const std::string& outdir); // kmz_stage.cpp
    void netcdf_step(file_job& job, const std::string& outdir);                                           // netcdf_step.cpp
    void position_info_step(file_job& job, const std::string& outdir);                                    // position_info_step.cpp
    void clean_up();

    // The cancel check: true when the run is to stop here. Logs the message
    // the first time in a run only.
    bool cancel_requested();
    void pause() const;
    void log(const std::string& text) { sink_.printLog(text); }

    spinfo& info_;
    spconverter& converter_;
    spout& out_;
    run_sink& sink_;
    output_switches switches_;
    std::filesystem::path workDir_;     // WorkDir made absolute by RunAction
    std::filesystem::path startFolder_; // current directory before RunAction entered WorkDir
    // A relative path names a file of the folder the run was started from.
    std::string resolved(const std::string& path) const;
    bool cancelLogged_ = false;
    std::atomic<bool> completed_{false};
    std::thread Tjob;
};
