#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "app/run_sink.h"

class spinfo;
class spconverter;
class spout;

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

    // Worker side; public so that a caller can run a whole run synchronously
    // on its own thread (after RunAction's preparations) and tests can drive
    // single steps.
    void RunActionProcWrapper();
    void RunActionProc();
    bool read_lonlat(const std::string& name, std::int32_t index);
    void move_created(const std::string& name, const std::string& outdir, const std::string& kind);

private:
    spinfo& info_;
    spconverter& converter_;
    spout& out_;
    run_sink& sink_;
    output_switches switches_;
    std::thread Tjob;
};
