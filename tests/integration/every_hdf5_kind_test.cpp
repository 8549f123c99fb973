// The one end-to-end sweep over every synthetic HDF5 kind through vardane-cli,
// in both internal layouts the generator writes: its own and that of real
// products (attribute storage forms, compression, extra datasets and groups).
// Swath kinds with TIFF+TEXT, gridded kinds with GeoTIFF (the regridded swath
// windows have a sweep of their own, labelled slow). Each file is announced
// as its kind, every selected variable is read and handed to the writers, the
// outputs built for the kind are created for each and read back, and the
// report names a cause for every failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "support/product_kinds.h"
#include "synth_registry.h"

namespace vardane {

using namespace integration;
using test_support::hdf5_kinds;

namespace {

namespace fs = std::filesystem;

// Every kind written in the layout into the scene's input folder; the paths
// in the table's order.
std::vector<std::string> write_every_kind(const cli_scene& scene, synth_layout layout)
{
    const auto generator = all_synth_kinds();
    std::vector<std::string> paths;
    for (const auto& k : hdf5_kinds()) {
        const auto path = (scene.in() / (std::string(k.name) + ".h5")).string();
        synth_options options;
        options.variants = k.variants;
        options.layout = layout;
        const auto writer =
            std::find_if(generator.begin(), generator.end(), [&](const auto& g) { return g.name == k.name; });
        EXPECT_TRUE(writer != generator.end() && writer->write(path, options)) << k.name;
        paths.push_back(path);
    }
    return paths;
}

std::vector<std::string> lines_of(const fs::path& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void expect_rasters_read_back(const cli_scene& scene, const std::vector<std::string>& names)
{
    for (const auto& name : names) {
        const raster_file raster(scene.out() / name);
        EXPECT_TRUE(raster.is_open()) << name;
        EXPECT_GT(raster.width(), 0) << name;
        EXPECT_GT(raster.height(), 0) << name;
    }
}

void sweep(synth_layout layout)
{
    cli_scene scene;
    const auto report = scene.out().parent_path() / "report.jsonl";
    const auto paths = write_every_kind(scene, layout);
    std::vector<std::string> swaths{"--tiff-text", "--report", report.string()};
    std::vector<std::string> grids{"--geotiff", "--report", report.string()};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        (is_swath_kind(hdf5_kinds()[i].type) ? swaths : grids).push_back(paths[i]);
    }
    const auto swathRun = scene.run(swaths);
    const auto gridRun = scene.run(grids);
    for (const auto* r : {&swathRun, &gridRun}) {
        ASSERT_GE(r->lines.size(), 2u) << r->err;
        EXPECT_EQ(r->lines[r->lines.size() - 2], kCompleted);
    }
    for (const auto& k : hdf5_kinds()) {
        SCOPED_TRACE(k.name);
        const auto& r = is_swath_kind(k.type) ? swathRun : gridRun;
        const auto log = file_log(r, std::string(k.name) + ".h5");
        ASSERT_GE(log.size(), 2u) << r.out;
        EXPECT_EQ(log[1], k.line);
        const auto reads = count_of(log, kReading);
        EXPECT_GT(reads, 0u);
        EXPECT_EQ(count_of(log, kGenerating), reads);
        if (test_support::is_radiometer_swath(k.type)) {
            EXPECT_EQ(created(log, "TIFF").size(), reads);
            expect_rasters_read_back(scene, created(log, "TIFF"));
            EXPECT_EQ(created(log, "Information"), std::vector<std::string>{std::string(k.name) + ".txt"});
            EXPECT_FALSE(read_text(scene.out() / (std::string(k.name) + ".txt")).empty());
        } else if (!is_swath_kind(k.type)) {
            EXPECT_EQ(created(log, "GeoTIFF").size(), reads); // on the product's own grid
            expect_rasters_read_back(scene, created(log, "GeoTIFF"));
        }
    }
    // One JSON line per file; the report writes a failure's cause as
    // "cause":"..." (compact, no spaces), so an empty one reads "cause":"".
    const auto lines = lines_of(report);
    EXPECT_EQ(lines.size(), hdf5_kinds().size());
    for (const auto& line : lines) EXPECT_EQ(line.find("\"cause\":\"\""), std::string::npos) << line;
}

} // namespace

TEST(EveryHdf5Kind, TheSharedTableNamesEveryKindTheGeneratorWrites)
{
    std::vector<synth_kind> registered;
    register_hdf5_kinds(registered);
    std::multiset<std::string> generator, table;
    for (const auto& k : registered) generator.insert(k.name);
    for (const auto& k : hdf5_kinds()) table.insert(k.name);
    EXPECT_EQ(table, generator);
}

TEST(EveryHdf5Kind, EachIsAnnouncedAndEverySelectedVariableReachesTheWriters) { sweep(synth_layout::ours); }

TEST(EveryHdf5Kind, InTheLayoutOfRealProductsToo) { sweep(synth_layout::real); }

// One "Q" tile at its real size, 4800 x 4800 and compressed, converted with
// its LST alone: the GeoTIFF holds a row per tile line and land values.
TEST(EveryHdf5Kind, ARealSizeQTileConverts)
{
    cli_scene scene;
    scene.settings([](spconverter& s) {
        deselect_all(s, ST_GCOMC_LST);
        optSet_t lst;
        ASSERT_TRUE(s.get_OptSetting(ST_GCOMC_LST, "LST", lst));
        lst.flag = true;
        ASSERT_TRUE(s.set_OptSetting(ST_GCOMC_LST, "LST", lst));
    });
    synth_options options;
    options.layout = synth_layout::real;
    options.full = true;
    const auto path = (scene.in() / "tile.h5").string();
    const auto kinds = all_synth_kinds();
    const auto lst = std::find_if(kinds.begin(), kinds.end(), [](const auto& k) { return k.name == "SGLI_LST"; });
    ASSERT_TRUE(lst != kinds.end() && lst->write(path, options));

    const auto r = scene.run({"--geotiff", path});
    const auto log = file_log(r, "tile.h5");
    ASSERT_GE(log.size(), 2u) << r.out;
    EXPECT_EQ(log[1], "It is GCOM-C L2 LST Product.");
    ASSERT_EQ(created(log, "GeoTIFF"), std::vector<std::string>{"tile_LST.proj.tif"}) << r.out;
    const raster_file tif(scene.out() / "tile_LST.proj.tif");
    ASSERT_TRUE(tif.is_open());
    EXPECT_GE(tif.height(), 4799);
    const auto row = tif.rows(1, tif.height() / 2, 1);
    EXPECT_TRUE(std::any_of(row.begin(), row.end(), [](double v) { return v > 0 && v < 65535; }));
}

} // namespace vardane
