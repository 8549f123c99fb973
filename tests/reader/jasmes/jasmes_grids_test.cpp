// Every known grid, written at its real size by the generator: headerless
// files of both sample sizes and HDF4 flag images.
#include <cstdlib>

#include "jasmes_test_support.h"

namespace vardane {

using namespace jasmes_test;

namespace {

class JasmesGrids : public ReaderTest {};

struct grid_case {
    const char* name;
    JasmesArea area;
    double resolution;
};

TEST_F(JasmesGrids, HeaderlessFilesOnEveryGrid)
{
    for (const grid_case g : {grid_case{"global", JA_GLOBAL, 0.05},
                              {"japan", JA_JAPAN, 0.01},
                              {"thailand", JA_THAILAND, 0.01},
                              {"gobi", JA_GOBI, 0.05}}) {
        for (const char* bytes : {"1", "2"}) {
            const auto p = synth("JASMES_RAW", std::string("raw_") + g.name + bytes + ".dat",
                                 {{"grid", g.name}, {"bytes", bytes}});
            spinfo info;
            recognise(info, p);
            ASSERT_EQ(info.getType(), PT_JASMES_RAW) << g.name << bytes;
            EXPECT_EQ(info.getJasmesArea(), g.area);
            EXPECT_DOUBLE_EQ(describe(p).resolution, g.resolution);
            const synth_grid* sg = find_synth_grid(g.name);
            EXPECT_EQ(info.N_pixel(0), static_cast<std::uint32_t>(sg->width));
            EXPECT_EQ(info.N_line(0), static_cast<std::uint32_t>(sg->height));
            std::int32_t dtype = -5;
            ASSERT_TRUE(info.get_dataSource(0, dtype));
            EXPECT_EQ(dtype, bytes[0] == '1' ? DT_UINT8 : DT_FLOAT32);
            fs::remove(p);
        }
    }
}

TEST_F(JasmesGrids, Hdf4FilesOnEveryGrid)
{
    for (const grid_case g : {grid_case{"global", JA_GLOBAL, 0.05},
                              {"japan5", JA_JAPAN, 0.005},
                              {"japan", JA_JAPAN, 0.01},
                              {"thailand", JA_THAILAND, 0.01},
                              {"gobi", JA_GOBI, 0.05}}) {
        const auto p = synth("JASMES_HDF4", std::string("flag_") + g.name + ".hdf", {{"grid", g.name}});
        spinfo info;
        recognise(info, p);
        ASSERT_EQ(info.getType(), PT_JASMES_HDF4) << g.name;
        EXPECT_EQ(info.getJasmesArea(), g.area);
        EXPECT_DOUBLE_EQ(describe(p).resolution, g.resolution);
        std::int32_t dtype = -5;
        ASSERT_TRUE(info.get_dataSource(0, dtype));
        const synth_grid* sg = find_synth_grid(g.name);
        const std::vector<unsigned char> held(info.byteRaster().begin(), info.byteRaster().end());
        const auto counts = synth_counts(sg->width, sg->height, 1, 0, 254, 255);
        EXPECT_EQ(held, std::vector<unsigned char>(counts.begin(), counts.end()));
        fs::remove(p);
    }
}

// The generator program itself: every kind of this family from the command line.
TEST_F(JasmesGrids, GeneratorCommandLine)
{
    const std::string exe = std::string(VARDANE_BUILD_DIR) + "/tools/synth/vardane-synth";
    const auto run = [&](const std::string& args) { return std::system((exe + " " + args).c_str()); };
    ASSERT_EQ(run("GSMAP_BIN '" + path("gsmap_cli.dat") + "' --full"), 0);
    EXPECT_EQ(fs::file_size(path("gsmap_cli.dat")), 17'280'000u);
    ASSERT_EQ(run("jasmes_hdr '" + path("cli_t2.dat") + "' --set form=t2"), 0);
    ASSERT_EQ(run("JASMES_HDF4 '" + path("cli.hdf") + "' --set flags=both --set grid=thailand"), 0);
    EXPECT_NE(run("JASMES_HDR '" + path("bad.dat") + "' --set form=t9 2>/dev/null"), 0);
    spinfo info;
    recognise(info, path("cli_t2.dat"));
    EXPECT_EQ(info.getPara(), "aerosol");
    recognise(info, path("cli.hdf"));
    EXPECT_EQ(info.getJasmesArea(), JA_THAILAND);
}

} // namespace

} // namespace vardane
