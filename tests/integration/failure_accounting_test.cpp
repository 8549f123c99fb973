// Failures that used to vanish: every one is counted in the summary, carried
// by the report with its cause and reflected in the exit status; a log
// reader that goes away does not stop the run; any name the file system
// takes, the outputs take too.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "kmz/kmz_read_back.h"

namespace vardane {

using namespace integration;
namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& s) { return "'" + s + "'"; }

// The exit status of `command` run by bash.
int shell(const std::string& command)
{
    const int status = std::system(("bash -c " + quoted(command)).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> report_lines(const fs::path& report)
{
    std::ifstream in(report);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace

TEST(FailureAccounting, ReadOnlyOutputFolderFailsEveryFileWithItsCause)
{
    cli_scene scene;
    const auto a = scene.product("GSMAP_BIN", "gsmap_a.dat");
    const auto b = scene.product("GSMAP_BIN", "gsmap_b.dat");
    const fs::path root = scene.in().parent_path();
    const fs::path report = root / "report.jsonl";
    ASSERT_EQ(::chmod(root.c_str(), 0777) | ::chmod(scene.in().c_str(), 0755) | ::chmod(a.c_str(), 0644)
                  | ::chmod(b.c_str(), 0644) | ::chmod(scene.out().c_str(), 0555),
              0);
    // Root writes anywhere: the run goes to an unprivileged user.
    const std::string user = ::getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const fs::path log = root / "log.txt";
    const int status =
        shell(user + quoted(cli_test::cli_path()) + " -o " + quoted(scene.out().string()) + " --report "
              + quoted(report.string()) + " " + quoted(a) + " " + quoted(b) + " > " + quoted(log.string()) + " 2>&1");
    ::chmod(scene.out().c_str(), 0755);
    const auto lines = cli_test::split_lines(read_text(log));
    EXPECT_EQ(status, 1);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(count_of(lines, "Fail in working-folder. Abort."), 2u) << read_text(log);
    EXPECT_NE(read_text(log).find("failures 2"), std::string::npos) << read_text(log);
    const auto reported = report_lines(report);
    ASSERT_EQ(reported.size(), 2u);
    for (const auto& line : reported)
        EXPECT_NE(line.find("\"cause\":\"Permission denied\""), std::string::npos) << line;
}

TEST(FailureAccounting, ClosedStandardOutputEndsTheLogNotTheRun)
{
    cli_scene scene;
    std::vector<std::string> inputs;
    for (const char* name : {"gsmap_a.dat", "gsmap_b.dat", "gsmap_c.dat"})
        inputs.push_back(scene.product("GSMAP_BIN", name));
    const fs::path report = scene.in().parent_path() / "report.jsonl";
    std::string command =
        quoted(cli_test::cli_path()) + " -o " + quoted(scene.out().string()) + " --report " + quoted(report.string());
    for (const auto& i : inputs) command += " " + quoted(i);
    const int status = shell(command + " | head -1 > /dev/null; exit ${PIPESTATUS[0]}");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(report_lines(report).size(), 3u);
    EXPECT_EQ(file_names(scene.out()),
              (std::vector<std::string>{"gsmap_a_PRC.tif", "gsmap_b_PRC.tif", "gsmap_c_PRC.tif"}));
}

TEST(FailureAccounting, NamesThatAreNotUtf8OrNearTheLimitReachEveryOutput)
{
    cli_scene scene;
    const std::string latin1 = "gsmap_caf\xe9";
    const std::string longName = "gsmap_" + std::string(233, 'x'); // 243 bytes with ".dat"
    scene.product("GSMAP_BIN", latin1 + ".dat");
    scene.product("GSMAP_BIN", longName + ".dat");
    const auto r = scene.run({"--geotiff", "--kmz", scene.in().string()});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    for (const auto& base : {latin1, longName}) {
        SCOPED_TRACE(base.substr(0, 12));
        EXPECT_TRUE(raster_file(scene.out() / (base + "_PRC.tif")).is_open());
        const auto entries = kmz_test::unzip(scene.out() / (base + "_PRC.kmz"));
        ASSERT_TRUE(entries.has_value());
        EXPECT_EQ(entries->count(base + "_PRC.tiff"), 1u);
        EXPECT_EQ(entries->count(base + "_PRC.kml"), 1u);
    }
}

} // namespace vardane
