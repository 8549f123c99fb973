// The one end-to-end sweep over every synthetic HDF5 kind through vardane-cli:
// swath kinds with TIFF+TEXT, gridded kinds with GeoTIFF (the regridded swath
// windows have a sweep of their own, labelled slow). Each file is announced
// as its kind, every selected variable is read and handed to the writers, and
// the outputs built for the kind are created for each.
#include <gtest/gtest.h>

#include <set>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "support/product_kinds.h"
#include "synth_registry.h"

namespace vardane {

using namespace integration;
using test_support::hdf5_kinds;

TEST(EveryHdf5Kind, TheSharedTableNamesEveryKindTheGeneratorWrites)
{
    std::vector<synth_kind> registered;
    register_hdf5_kinds(registered);
    std::multiset<std::string> generator, table;
    for (const auto& k : registered) generator.insert(k.name);
    for (const auto& k : hdf5_kinds()) table.insert(k.name);
    EXPECT_EQ(table, generator);
}

TEST(EveryHdf5Kind, EachIsAnnouncedAndEverySelectedVariableReachesTheWriters)
{
    cli_scene scene;
    std::vector<std::string> swaths{"--tiff-text"};
    std::vector<std::string> grids{"--geotiff"};
    for (const auto& k : hdf5_kinds()) {
        (is_swath_kind(k.type) ? swaths : grids)
            .push_back(scene.product(k.name, std::string(k.name) + ".h5", k.variants));
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
            EXPECT_EQ(created(log, "Information"), std::vector<std::string>{std::string(k.name) + ".txt"});
        } else if (!is_swath_kind(k.type)) {
            EXPECT_EQ(created(log, "GeoTIFF").size(), reads); // on the product's own grid
        }
    }
}

} // namespace vardane
