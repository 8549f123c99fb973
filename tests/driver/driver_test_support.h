#pragma once
// Helpers of the run-driver tests: a private temporary folder, a sink that
// records what a run reports (and can act on a given line), and a rig that
// runs the real driver over real files.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "driver/run_driver.h"
#include "output/spout.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace vardane {

namespace driver_test {

inline const std::string kStart = "-- Converting Start -------";
inline const std::string kCompleted = "Completed.";

// Temporary folder unique to this process, removed with its contents.
class temp_folder {
public:
    temp_folder();
    ~temp_folder();
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Everything the driver reports, in order. The hook sees every log line
// before it is recorded; it may set the cancel flag or throw.
class recording_sink : public run_sink {
public:
    void printLog(const std::string& text) override;
    void printNewLog(const std::string& text) override;
    void append_outputList(const std::string& path) override;
    void ChangeRunMode(bool running) override;
    void report(const run_event& event) override { reported.push_back(event); }

    // How many events of a type were reported; how often a line was logged.
    long count(run_event_type type) const;
    long count(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }
    bool logged(const std::string& line) const { return count(line) > 0; }

    std::vector<std::string> lines;
    std::vector<std::string> listed;
    std::vector<bool> modes;
    // Lines and run-mode switches interleaved ("mode:0", "mode:1").
    std::vector<std::string> events;
    std::vector<run_event> reported;
    std::function<void(const std::string&)> hook;
};

// The real objects of a run, wired as the window wires them.
struct driver_rig {
    driver_rig();
    ~driver_rig();

    // Runs the request over the files, without pauses, and waits for the
    // end. Fails the test when the run changed the current directory.
    bool run(const std::vector<std::string>& files, const output_switches& kinds);

    temp_folder temp;
    std::filesystem::path out;
    std::filesystem::path work;
    spinfo info;
    spconverter settings;
    spout writer;
    recording_sink sink;
    run_driver driver{info, settings, writer, sink};
    // Output folder, working folder and no pauses; the inputs and switches
    // are set by run().
    run_request request;
};

// A GSMaP flat-binary grid of the small layout (1440 x 480 floats), which
// the reader recognises by name and size.
std::string write_gsmap_bin(const std::filesystem::path& folder, const std::string& name);

// A synthetic product of a vardane-synth kind; fails the test when the
// generator cannot write it.
std::string write_synthetic(const std::filesystem::path& folder, const std::string& kind, const std::string& name);

// Writes a text file and returns its path.
std::string write_text(const std::filesystem::path& path, const std::string& text);

// Files directly inside a folder (not sub-folders), sorted.
std::vector<std::string> files_in(const std::filesystem::path& folder);

inline output_switches kinds(bool geotiff, bool kmz, bool tiffText, bool netcdf)
{
    output_switches s;
    s.geotiff = geotiff;
    s.kmz = kmz;
    s.tiffText = tiffText;
    s.netcdf = netcdf;
    return s;
}

} // namespace driver_test

} // namespace vardane
