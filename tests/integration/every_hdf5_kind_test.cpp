// One run over a synthetic file of every HDF5 kind with GeoTIFF and
// TIFF+TEXT: every selected variable is read.
#include <gtest/gtest.h>

#include <iostream>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"

using namespace integration;

namespace {

struct hdf5_kind {
    const char* kind;
    test_support::synth_variants variants;
    bool swath; // radiometer swath: plain TIFFs and a position file
};

const std::vector<hdf5_kind> kKinds = {
    {"AMSR2_L1A", {}, true},
    {"AMSR2_L1B", {}, true},
    {"AMSR2_L1R", {}, true},
    {"AMSR2_L2_HIGH", {}, true},
    {"AMSR2_L2_LOW", {{"geo", "SST"}}, true},
    {"AMSR2_L3_BT", {}, false},
    {"AMSR2_L3_GD", {{"geo", "SND"}}, false},
    {"AMSRE_L1B", {}, true},
    {"AMSRE_L1R", {}, true},
    {"AMSRE_L2_HIGH", {}, true},
    {"AMSRE_L2_LOW", {{"geo", "SND"}}, true},
    {"AMSRE_L3_BT", {}, false},
    {"AMSRE_L3_GD", {{"geo", "TPW"}}, false},
    {"GSMAP_HOURLY", {}, false},
    {"GSMAP_MONTHLY", {}, false},
    {"DPR_DAILY", {}, false},
    {"DPR_MONTHLY", {}, false},
    {"DPRV7_DAILY", {}, false},
    {"DPRV7_MONTHLY", {}, false},
    {"SGLI_VNR", {}, false},
    {"SGLI_POL", {}, false},
    {"SGLI_IRS", {}, false},
    {"SGLI_NWLR", {}, false},
    {"SGLI_IWPR", {}, false},
    {"SGLI_SST", {}, false},
    {"SGLI_LTOA", {}, false},
    {"SGLI_RSRF", {}, false},
    {"SGLI_LST", {}, false},
    {"SGLI_CLFG", {}, false},
};

bool is_writer_failure(const std::string& line) { return line.rfind("Fail in creating ", 0) == 0; }

} // namespace

TEST(EveryHdf5Kind, GeoTiffAndTiffTextReadEverySelectedVariable)
{
    cli_scene scene;
    std::vector<std::string> args{"--geotiff", "--tiff-text"};
    for (const auto& k : kKinds) args.push_back(scene.product(k.kind, std::string(k.kind) + ".h5", k.variants));
    const auto r = scene.run(args);
    ASSERT_GE(r.lines.size(), 2u) << r.err;
    EXPECT_EQ(r.lines[r.lines.size() - 2], kCompleted);
    EXPECT_EQ(count_of(r.lines, kReadFailed), 0u) << r.out;

    // The stub writers fail; their lines are listed, not judged.
    std::size_t failures = 0;
    for (const auto& line : r.lines) {
        if (is_writer_failure(line)) ++failures;
    }
    std::cout << "writer failure lines: " << failures << "\n";
    for (const auto& line : r.lines) {
        if (is_writer_failure(line)) std::cout << "  " << line << "\n";
    }

    for (const auto& k : kKinds) {
        const std::string file = std::string(k.kind) + ".h5";
        const auto log = file_log(r, file);
        ASSERT_GE(log.size(), 2u) << k.kind;
        // Every variable read reached the writers.
        const auto reads = count_of(log, kReading);
        EXPECT_GT(reads, 0u) << k.kind;
        EXPECT_EQ(count_of(log, kGenerating), reads) << k.kind;
        EXPECT_EQ(count_of(log, kReadFailed), 0u) << k.kind;
        if (k.swath) {
            EXPECT_EQ(created(log, "TIFF").size(), reads) << k.kind;
            EXPECT_EQ(created(log, "Information"), std::vector<std::string>{std::string(k.kind) + ".txt"})
                << k.kind;
        }
    }
}
