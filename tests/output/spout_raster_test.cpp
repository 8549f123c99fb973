#include <vector>

#include <gtest/gtest.h>

#include "output/spout.h"
#include "output_test_support.h"
#include "support/comma_locale.h"

namespace vardane {

using output_test::attr_of;
using output_test::grid_info;

namespace {

void expect_geotransform(const spout& out, std::array<double, 6> expected)
{
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(out.geoTransform[i], expected[i]) << "term " << i;
}

} // namespace

TEST(SpoutRaster, QuarterDegreeGridFromZeroTo360GetsItsGeotransform)
{
    spout out;
    const std::vector<std::uint16_t> data(1440 * 720, 7);
    ASSERT_TRUE(out.init_short(data.data(), attr_of(1440, 720), grid_info(90, 0, -90, 360, 0.01)));
    expect_geotransform(out, {0, 0.25, 0, 90, 0, -0.25});
    EXPECT_TRUE(out.isGlobalSphere());
    EXPECT_DOUBLE_EQ(out.scale, 0.01);
    EXPECT_EQ(out.productName, "test product");
    EXPECT_EQ(out.areaName, "test area");
    EXPECT_DOUBLE_EQ(out.corners[corner::LR].lon, 360.0);
}

TEST(SpoutRaster, SecondLoadReplacesTheFirstCompletely)
{
    spout out;
    const std::vector<std::uint16_t> wide(8 * 2, 9);
    ASSERT_TRUE(out.init_short(wide.data(), attr_of(8, 2), grid_info(2, 0, 0, 8)));
    const std::vector<float> narrow{1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(out.init_float(narrow.data(), attr_of(2, 3), grid_info(3, 0, 0, 2)));
    EXPECT_EQ(out.raster.width(), 2);
    EXPECT_EQ(out.raster.height(), 3);
    EXPECT_EQ(out.dataAttr.width, 2);
    EXPECT_FLOAT_EQ(out.raster.at(2, 1).f32, 6.0f);
    expect_geotransform(out, {0, 1, 0, 3, 0, -1});
}

TEST(SpoutRaster, ClearKeepsKindAndGeoreferencingButHandsTheCellsBack)
{
    spout out;
    // Cells of a block of their own, which the next plane of that size reuses.
    const std::int32_t w = 1024;
    const std::int32_t h = 600;
    const std::vector<std::uint16_t> data(std::size_t(w) * h, 1);
    ASSERT_TRUE(out.init_signed(data.data(), attr_of(w, h), grid_info(1, 0, 0, 2)));
    const std::byte* cells = out.raster.samples<std::int16_t>(0).first();
    out.Clear_Array_raster();
    EXPECT_FALSE(out.ready);
    EXPECT_TRUE(out.raster.empty());
    EXPECT_EQ(out.rasterKind, RK_INT16);
    EXPECT_DOUBLE_EQ(out.geoTransform[1], 2.0 / w);
    EXPECT_FALSE(out.isGlobalSphere());
    const bulk_vector<std::uint16_t> next(data.size());
    EXPECT_EQ(static_cast<const void*>(next.data()), cells) << "the cleared raster still holds its block";
}

TEST(SpoutRaster, UnusableInputIsRefusedInsteadOfRead)
{
    spout out;
    const std::vector<std::uint16_t> data(4, 1);
    ASSERT_TRUE(out.init_short(data.data(), attr_of(2, 2), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.init_short(nullptr, attr_of(2, 2), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.ready);
    EXPECT_FALSE(out.init_short(data.data(), attr_of(0, 2), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.init_float(reinterpret_cast<const float*>(data.data()), attr_of(2, -1), grid_info(1, 0, 0, 1)));
    const std::vector<std::uint8_t> bytes(40, 1);
    EXPECT_FALSE(out.init_char(bytes.data(), attr_of(2, 2, 0), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.init_char(bytes.data(), attr_of(2, 2, 5), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.ready);
}

TEST(SpoutRaster, TakenFloatPlaneIsTheRasterAndOutlivesAMove)
{
    spout out;
    // Large enough to be a block of its own, with a value per cell.
    const std::int32_t w = 1024;
    const std::int32_t h = 600;
    bulk_vector<float> plane(std::size_t(w) * h);
    for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = float(i);
    const float* samples = plane.data();
    EXPECT_FALSE(out.take_float(std::move(plane), attr_of(w, h + 1), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.ready);
    ASSERT_EQ(plane.data(), samples) << "a refused plane stays with the reader";

    ASSERT_TRUE(out.take_float(std::move(plane), attr_of(w, h), grid_info(h, 0, 0, w)));
    EXPECT_TRUE(plane.empty());
    EXPECT_EQ(out.raster.row(0).data()->f32, 0.0f);
    EXPECT_EQ(&out.raster.at(0, 0).f32, samples) << "the plane was copied, not taken over";
    EXPECT_EQ(out.raster.at(h - 1, w - 1).f32, float(w * h - 1));
    expect_geotransform(out, {0, 1, 0, double(h), 0, -1});

    output_raster moved = std::move(out.raster);
    EXPECT_TRUE(out.raster.empty());
    EXPECT_EQ(out.raster.width(), 0);
    EXPECT_EQ(moved.at(1, 2).f32, float(w + 2));
    moved.reset(3, 2);
    EXPECT_EQ(moved.at(1, 2).u16, 0) << "a reset raster starts cleared";
}

// A 16-bit plane becomes the raster as it is, two bytes a cell, and every
// writer's way of reading a cell gives its sample.
TEST(SpoutRaster, TakenSixteenBitPlaneIsTheRasterTwoBytesACell)
{
    spout out;
    const std::int32_t w = 1024;
    const std::int32_t h = 600;
    bulk_vector<std::uint16_t> plane(std::size_t(w) * h);
    for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = std::uint16_t(65535 - i % 65536);
    const std::uint16_t* samples = plane.data();
    EXPECT_FALSE(out.take_signed(std::move(plane), attr_of(w + 1, h), grid_info(1, 0, 0, 1)));
    ASSERT_EQ(plane.data(), samples) << "a refused plane stays with the reader";

    ASSERT_TRUE(out.take_signed(std::move(plane), attr_of(w, h), grid_info(h, 0, 0, w)));
    EXPECT_TRUE(plane.empty());
    EXPECT_EQ(out.rasterKind, RK_INT16);
    EXPECT_EQ(out.raster.cell_bytes(), 2u);
    EXPECT_EQ(static_cast<const void*>(out.raster.samples<std::int16_t>(0).first()), samples)
        << "the plane was copied, not taken over";
    EXPECT_EQ(out.raster.cell(0, 0).s16, -1);
    EXPECT_EQ(out.raster.cell(1, 2).u16, std::uint16_t(65535 - (w + 2)));
    EXPECT_EQ(out.raster.cell(1, 2).bytes[2], 0) << "a cell's other bytes are clear";
    EXPECT_EQ(out.raster.samples<std::uint16_t>(h - 1)[std::size_t(w - 1)],
              std::uint16_t(65535 - (std::size_t(w) * h - 1) % 65536));
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

TEST(SpoutSwathInputs, GeolocationArraysAreCopiedAndReplacedByKey)
{
    spout out;
    std::vector<float> lat{1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(out.read_fvals("lat89A", lat.data(), attr_of(3, 2)));
    lat[0] = 99; // the store holds its own copy
    const float_grid& g = out.fvals.at("lat89A");
    EXPECT_EQ(g.width, 3);
    EXPECT_EQ(g.height, 2);
    EXPECT_FLOAT_EQ(g.at(0, 0), 1.0f);
    EXPECT_FLOAT_EQ(g.at(1, 2), 6.0f);

    const std::vector<float> other{7, 8};
    ASSERT_TRUE(out.read_fvals("lat89A", other.data(), attr_of(1, 2)));
    EXPECT_FLOAT_EQ(out.fvals.at("lat89A").at(1, 0), 8.0f);
    EXPECT_EQ(out.fvals.size(), 1u);

    EXPECT_FALSE(out.read_fvals("lon", nullptr, attr_of(3, 2)));
    EXPECT_FALSE(out.read_fvals("lon", other.data(), attr_of(-1, 2)));
}

TEST(SpoutSwathInputs, CoRegistrationIsReplacedWholeAndTheWarpBlockIsReset)
{
    spout out;
    out.parse_cor_a1("6G-0.5,36G--1.25");
    out.parse_cor_a2("10G-2");
    EXPECT_FLOAT_EQ(out.corA1.at("6G"), 0.5f);
    EXPECT_FLOAT_EQ(out.corA1.at("36G"), -1.25f);
    EXPECT_FLOAT_EQ(out.corA2.at("10G"), 2.0f);
    out.parse_cor_a1("7G-1");
    EXPECT_EQ(out.corA1.count("6G"), 0u);

    out.warpExtent.forcedWidth = 300;
    out.warpExtent.maxX = 1.5;
    out.reset_global_vars();
    EXPECT_EQ(out.warpExtent.forcedWidth, 0);
    EXPECT_DOUBLE_EQ(out.warpExtent.maxX, 0.0);
}

// The factors the driver hands over from the file's attributes, read while
// the window runs under a locale whose decimal mark is a comma.
TEST(SpoutSwathInputs, CoRegistrationFactorsUnderACommaLocale)
{
    const test_support::comma_locale locale;
    ASSERT_TRUE(locale.active()) << test_support::comma_locale::missing();
    spout out;
    out.parse_cor_a1("6G-0.99780,7G-0.99761,36G--1.25");
    out.parse_cor_a2("6G--0.00912,10G-2.5e-3");
    EXPECT_EQ(out.corA1.at("6G"), static_cast<float>(0.99780));
    EXPECT_EQ(out.corA1.at("7G"), static_cast<float>(0.99761));
    EXPECT_EQ(out.corA1.at("36G"), -1.25f);
    EXPECT_EQ(out.corA2.at("6G"), static_cast<float>(-0.00912));
    EXPECT_EQ(out.corA2.at("10G"), static_cast<float>(2.5e-3));
}

} // namespace vardane
