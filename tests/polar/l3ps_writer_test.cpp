// Radiometer L3 grids already on a polar-stereographic grid, read back with
// GDAL and listgeo.
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "output/output_test_support.h"
#include "output/spout.h"

namespace vardane {

using namespace output_test;

TEST(L3PolarGeoTiff, SixGridsGiveProjectedBigEndianFilesWithTheirKeysCornersAndCounts)
{
    struct grid {
        int width, height;
        bool isSigned;
        double pixel, ulX, ulY;
        int pcs;
        const char* pole;
    };
    const grid grids[] = {{790, 830, false, 1e4, -3950000, 4350000, 3412, "0"},
                          {316, 332, true, 25e3, -3950000, 4350000, 3412, "0"},
                          {760, 1120, false, 1e4, -3850000, 5850000, 3411, "-45"},
                          {304, 448, true, 25e3, -3850000, 5850000, 3411, "-45"},
                          {1080, 1435, true, 1e4, -5390000, 6468000, 5890, "90"},
                          {432, 574, false, 25e3, -5390000, 6468000, 5890, "90"}};
    temp_dir dir;
    spout out;
    for (const grid& g : grids) {
        const std::string name = dir.file(std::to_string(g.width) + ".tif");
        SCOPED_TRACE(name);
        std::vector<std::uint16_t> words(std::size_t(g.width) * g.height);
        std::vector<std::int32_t> counts(words.size());
        for (std::size_t i = 0; i < words.size(); ++i) {
            words[i] = std::uint16_t(i * 13);
            counts[i] = g.isSigned ? std::int16_t(words[i]) : words[i];
        }
        const productInfo_t info = grid_info(31, 168, 34, 350);
        ASSERT_TRUE(g.isSigned ? out.init_signed(words.data(), attr_of(g.width, g.height), info)
                               : out.init_short(words.data(), attr_of(g.width, g.height), info));
        ASSERT_TRUE(out.gen_L3PS_GeoTiffImage(name));

        char order[2] = {};
        std::ifstream(name, std::ios::binary).read(order, 2);
        EXPECT_EQ(std::string(order, 2), "MM"); // big-endian
        auto ds = open_readonly(name);
        ASSERT_TRUE(ds);
        EXPECT_EQ(geotransform_of(*ds), (std::vector<double>{g.ulX, g.pixel, 0, g.ulY, 0, -g.pixel}));
        EXPECT_STREQ(ds->GetSpatialRef()->GetAttrValue("PROJECTION"), "Polar_Stereographic");
        EXPECT_EQ(epsg_of(*ds), g.pcs);
        EXPECT_EQ(read_band<std::int32_t>(*ds, 1, GDT_Int32), counts);

        std::string keys;
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(("/usr/bin/listgeo '" + name + "'").c_str(), "r"), ::pclose);
        ASSERT_TRUE(pipe);
        for (std::array<char, 512> buf{}; std::fgets(buf.data(), int(buf.size()), pipe.get());) keys += buf.data();
        for (const std::string& want :
             std::vector<std::string>{"ModelTypeProjected", "Code-" + std::to_string(g.pcs), "CT_PolarStereographic",
                                      "SemiMajorAxisGeoKey (Double,1): 6378273", "6356889.449",
                                      "ProjStraightVertPoleLongGeoKey (Double,1): " + std::string(g.pole)}) {
            EXPECT_NE(keys.find(want), std::string::npos) << want << " missing from\n" << keys;
        }
    }
    const std::vector<std::uint16_t> square(800 * 800, 1);
    ASSERT_TRUE(out.init_short(square.data(), attr_of(800, 800), grid_info(31, 168, 34, 350)));
    EXPECT_FALSE(out.gen_L3PS_GeoTiffImage(dir.file("square.tif")));
    EXPECT_FALSE(std::filesystem::exists(dir / "square.tif"));
}

} // namespace vardane
