// The loaders seen through the writers: what a loaded raster becomes on disk.
#include <vector>

#include <gtest/gtest.h>

#include "output/spout.h"
#include "output_test_support.h"

namespace vardane {

using output_test::attr_of;
using output_test::geotransform_of;
using output_test::grid_info;
using output_test::open_readonly;
using output_test::read_band;
using output_test::temp_dir;

namespace {

struct written_grid {
    int width = 0;
    int height = 0;
    std::vector<double> geoTransform;
    std::vector<double> values; // band 1, row after row
};

// The raster as the plain GeoTIFF writer puts it on disk.
written_grid write_and_read(spout& out, const temp_dir& dir)
{
    const std::string name = dir.file("loaded.tif");
    EXPECT_TRUE(out.gen_GeoTiffImage(name, 0)) << out.last_failure().cause;
    written_grid g;
    auto ds = open_readonly(name);
    EXPECT_TRUE(ds);
    if (!ds) return g;
    g.width = ds->GetRasterXSize();
    g.height = ds->GetRasterYSize();
    g.geoTransform = geotransform_of(*ds);
    g.values = read_band<double>(*ds, 1, GDT_Float64);
    return g;
}

} // namespace

TEST(SpoutRaster, QuarterDegreeGridFromZeroTo360GetsItsGeotransform)
{
    temp_dir dir;
    spout out;
    const std::vector<std::uint16_t> data(1440 * 720, 7);
    ASSERT_TRUE(out.init_short(data.data(), attr_of(1440, 720), grid_info(90, 0, -90, 360, 0.01)));
    EXPECT_TRUE(out.isGlobalSphere());
    const written_grid g = write_and_read(out, dir);
    EXPECT_EQ(g.geoTransform, (std::vector<double>{0, 0.25, 0, 90, 0, -0.25}));
    EXPECT_EQ(g.values[0], 7.0) << "counts are written unscaled";
}

TEST(SpoutRaster, SecondLoadReplacesTheFirstCompletely)
{
    temp_dir dir;
    spout out;
    const std::vector<std::uint16_t> wide(8 * 2, 9);
    ASSERT_TRUE(out.init_short(wide.data(), attr_of(8, 2), grid_info(2, 0, 0, 8)));
    const std::vector<float> narrow{1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(out.init_float(narrow.data(), attr_of(2, 3), grid_info(3, 0, 0, 2)));
    const written_grid g = write_and_read(out, dir);
    EXPECT_EQ(g.width, 2);
    EXPECT_EQ(g.height, 3);
    EXPECT_EQ(g.values, (std::vector<double>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(g.geoTransform, (std::vector<double>{0, 1, 0, 3, 0, -1}));
}

TEST(SpoutRaster, ClearedRasterIsRefusedByEveryWriterWithItsCause)
{
    temp_dir dir;
    spout out;
    const std::vector<std::uint16_t> data(1440 * 720, 1);
    ASSERT_TRUE(out.init_signed(data.data(), attr_of(1440, 720), grid_info(90, -180, -90, 180)));
    ASSERT_TRUE(out.isGlobalSphere());
    out.Clear_Array_raster();
    EXPECT_FALSE(out.isGlobalSphere());
    std::vector<std::string> names;
    const std::string name = dir.file("none.tif");
    const bool written[] = {out.gen_TiffImage(name),
                            out.gen_GeoTiffImage(name, 0),
                            out.gen_L3EQR_GeoTiffImage(name, true),
                            out.gen_L3PS_GeoTiffImage(name),
                            out.gen_TiffImage(name, {}, "", true),
                            out.gen_KmzImage(dir.file("none.kmz"), false, {}, "", "", "", true),
                            out.gen_posGeoTIFF(dir.file("none"), PT_AMSR2_L2_LOW, 0, true, names)};
    for (const bool w : written) EXPECT_FALSE(w);
    EXPECT_EQ(out.last_failure().cause, "no raster is loaded");
    EXPECT_EQ(out.last_failure().file, dir.file("none"));
    EXPECT_FALSE(std::filesystem::exists(name));
}

TEST(SpoutRaster, UnusableInputIsRefusedInsteadOfRead)
{
    spout out;
    const std::vector<std::uint16_t> data(4, 1);
    ASSERT_TRUE(out.init_short(data.data(), attr_of(2, 2), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.init_short(nullptr, attr_of(2, 2), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.gen_TiffImage("/nowhere/x.tif")) << "a refused load leaves no raster";
    EXPECT_FALSE(out.init_short(data.data(), attr_of(0, 2), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.init_float(reinterpret_cast<const float*>(data.data()), attr_of(2, -1), grid_info(1, 0, 0, 1)));
    const std::vector<std::uint8_t> bytes(40, 1);
    EXPECT_FALSE(out.init_char(bytes.data(), attr_of(2, 2, 0), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.init_char(bytes.data(), attr_of(2, 2, 5), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.gen_TiffImage("/nowhere/x.tif"));
    EXPECT_EQ(out.last_failure().cause, "no raster is loaded");
}

TEST(SpoutRaster, TakenFloatPlaneIsWrittenAndARefusedOneStaysWithTheCaller)
{
    temp_dir dir;
    spout out;
    const std::int32_t w = 64;
    const std::int32_t h = 30;
    bulk_vector<float> plane(std::size_t(w) * h);
    for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = float(i);
    const float* samples = plane.data();
    EXPECT_FALSE(out.take_float(std::move(plane), attr_of(w, h + 1), grid_info(1, 0, 0, 1)));
    ASSERT_EQ(plane.data(), samples) << "a refused plane stays with the reader";

    ASSERT_TRUE(out.take_float(std::move(plane), attr_of(w, h), grid_info(h, 0, 0, w)));
    EXPECT_TRUE(plane.empty());
    const written_grid g = write_and_read(out, dir);
    ASSERT_EQ(g.values.size(), std::size_t(w) * h);
    for (std::size_t i = 0; i < g.values.size(); ++i) ASSERT_EQ(g.values[i], double(i)) << i;
    EXPECT_EQ(g.geoTransform, (std::vector<double>{0, 1, 0, double(h), 0, -1}));
}

// 16-bit samples keep their signedness from the loader to the file.
TEST(SpoutRaster, TakenSixteenBitPlaneIsWrittenWithItsSignedness)
{
    temp_dir dir;
    const std::int32_t w = 40;
    const std::int32_t h = 3;
    for (const bool isSigned : {true, false}) {
        spout out;
        bulk_vector<std::uint16_t> plane(std::size_t(w) * h);
        for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = std::uint16_t(65535 - i);
        const auto info = grid_info(h, 0, 0, w);
        ASSERT_TRUE(isSigned ? out.take_signed(std::move(plane), attr_of(w, h), info)
                             : out.take_short(std::move(plane), attr_of(w, h), info));
        const written_grid g = write_and_read(out, dir);
        ASSERT_EQ(g.values.size(), std::size_t(w) * h);
        EXPECT_EQ(g.values[0], isSigned ? -1.0 : 65535.0);
        EXPECT_EQ(g.values[std::size_t(w) + 2], isSigned ? -1.0 - (w + 2) : 65535.0 - (w + 2));
    }
}

TEST(SpoutRaster, GlobalSphereToleratesLessThanOneDegree)
{
    spout out;
    const std::vector<float> data(4, 0.f);
    const std::pair<productInfo_t, bool> boxes[] = {{grid_info(90, -180, -90, 180), true},
                                                    {grid_info(90, -180, -90, 178.5), false},
                                                    {grid_info(90, -180, -88.5, 180), false},
                                                    {grid_info(89.6, -180, -90, 179.6), true}};
    for (const auto& b : boxes) {
        ASSERT_TRUE(out.init_float(data.data(), attr_of(2, 2), b.first));
        EXPECT_EQ(out.isGlobalSphere(), b.second) << "box " << &b - boxes;
    }
}

TEST(SpoutSwathInputs, GeolocationArraysThatCannotBeCopiedAreRefused)
{
    spout out;
    const std::vector<float> lat{1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(out.read_fvals("lat89A", lat.data(), attr_of(3, 2)));
    EXPECT_TRUE(out.read_fvals("lat89A", nullptr, attr_of(0, 0))) << "an empty array is stored as such";
    EXPECT_FALSE(out.read_fvals("lon", nullptr, attr_of(3, 2)));
    EXPECT_FALSE(out.read_fvals("lon", lat.data(), attr_of(-1, 2)));
}

} // namespace vardane
