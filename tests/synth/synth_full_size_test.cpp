// --full writes the real product sizes (slow: large files).
#include <tuple>

#include "synth_known_values.h"
#include "synth_test_support.h"

namespace vardane {

using namespace synth_test;

TEST(FullSizes, RadiometerSwathAndL3AndGpmGrids)
{
    temp_dir dir;
    synth_options full = options();
    full.full = true;
    const std::tuple<const char*, const char*, std::vector<hsize_t>> cases[] = {
        {"AMSR2_L1B", "Brightness Temperature (89.0GHz-A,H)", {2040, 486}},
        {"AMSR2_L1B", "Brightness Temperature (6.9GHz,V)", {2040, 243}},
        {"AMSR2_L3_BT", "Brightness Temperature (H)", {1800, 3600}},
        {"GSMAP_HOURLY", "/Grid/hourlyPrecipRate", {3600, 1800}},
        {"DPR_MONTHLY", "/Grids/G2/precipRateESurface/mean", {3, 5, 1440, 536}},
    };
    for (const auto& [kind, dataset, dims] : cases) {
        const auto path = dir.file(std::string(kind) + ".h5");
        if (!std::filesystem::exists(path)) {
            ASSERT_TRUE(write_kind(kind, path, full)) << kind;
        }
        H5::H5File f(path, H5F_ACC_RDONLY);
        EXPECT_EQ(dims_of(f.openDataSet(dataset)), dims) << kind;
    }
    // The marker of the full-size latitude/longitude grid.
    H5::H5File f(dir.file("AMSR2_L3_BT.h5"), H5F_ACC_RDONLY);
    const auto h = read_all<std::uint16_t>(f, "Brightness Temperature (H)");
    const auto m = synth_known::l3_marker_cell(3600, 1800);
    ASSERT_TRUE(m);
    EXPECT_EQ(h[m->first * 3600 + m->second], synth_known::kMarkerU16);
}

} // namespace vardane
