#include "driver_test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "synth_registry.h"

namespace vardane {

namespace fs = std::filesystem;

namespace driver_test {

temp_folder::temp_folder()
{
    std::string pattern = (fs::temp_directory_path() / "vardane-app-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

temp_folder::~temp_folder()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void recording_sink::printLog(const std::string& text)
{
    if (hook) hook(text);
    lines.push_back(text);
    events.push_back(text);
}

void recording_sink::printNewLog(const std::string& text)
{
    lines.clear();
    printLog(text);
}

void recording_sink::append_outputList(const std::string& path) { listed.push_back(path); }

void recording_sink::ChangeRunMode(bool running)
{
    modes.push_back(running);
    events.push_back(running ? "mode:1" : "mode:0");
}

long recording_sink::count(run_event_type type) const
{
    return std::count_if(reported.begin(), reported.end(), [type](const run_event& e) { return e.type == type; });
}

driver_rig::driver_rig() : out(temp / "out"), work(temp / "work")
{
    fs::create_directories(out);
    request.outputFolder = out.string();
    request.workFolder = work;
    request.paceMs = 0;
}

driver_rig::~driver_rig() { driver.join(); }

bool driver_rig::run(const std::vector<std::string>& files, const output_switches& kinds)
{
    const fs::path before = fs::current_path();
    request.inputs = files;
    request.switches = kinds;
    const bool started = driver.RunAction(request);
    driver.join();
    EXPECT_EQ(fs::current_path(), before) << "a run changed the current directory";
    return started;
}

std::string write_gsmap_bin(const fs::path& folder, const std::string& name)
{
    constexpr int columns = 1440;
    constexpr int rows = 480;
    std::vector<float> grid(static_cast<std::size_t>(columns) * rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            grid[static_cast<std::size_t>(r) * columns + c] = std::fabs(std::sin(r * 0.05f + c * 0.01f)) * 10.0f;
    }
    const fs::path path = folder / name;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(grid.data()), static_cast<std::streamsize>(grid.size() * sizeof(float)));
    return path.string();
}

std::string write_synthetic(const fs::path& folder, const std::string& kind, const std::string& name)
{
    for (const auto& k : all_synth_kinds()) {
        if (k.name != kind) continue;
        const fs::path path = folder / name;
        EXPECT_TRUE(k.write(path.string(), synth_options{})) << kind;
        return path.string();
    }
    ADD_FAILURE() << "no synthetic kind " << kind;
    return {};
}

std::string write_text(const fs::path& path, const std::string& text)
{
    std::ofstream(path) << text;
    return path.string();
}

std::vector<std::string> files_in(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_directory()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace driver_test

} // namespace vardane
