// Gridded products end to end: a synthetic product is recognised and read by
// spinfo, loaded into spout as a run loads it and written as GeoTIFF; the file
// is read back with GDAL and must put the product's marker at the marker's
// latitude/longitude.
#include <cctype>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "driver/prepare_raster.h"
#include "hdf5/synth_known_values.h"
#include "output/spout.h"
#include "output_test_support.h"
#include "reader/spinfo.h"
#include "support/synthetic_file.h"

namespace vardane {

using namespace output_test;

namespace {

struct product_case {
    const char* synthKind;
    test_support::synth_variants variants;
    productType kind;
};

// The AMSR2 grids go through the L3 writer, which puts them from -180 degrees.
bool through_l3_writer(productType k) { return k == PT_AMSR2_L3_BT || k == PT_AMSR2_L3_GD; }

std::vector<product_case> all_cases()
{
    std::vector<product_case> cases = {
        {"GSMAP_HOURLY", {}, PT_GSMAP_HOURLY},        {"GSMAP_MONTHLY", {}, PT_GSMAP_MONTHLY},
        {"DPR_DAILY", {{"rank", "3"}}, PT_DPR_DAILY}, {"DPR_DAILY", {{"rank", "4"}}, PT_DPR_DAILY},
        {"DPR_MONTHLY", {}, PT_DPR_MONTHLY},          {"DPRV7_DAILY", {}, PT_DPRV7_DAILY},
        {"DPRV7_MONTHLY", {}, PT_DPRV7_MONTHLY},
    };
    const std::pair<const char*, productType> radiometerGrids[] = {{"AMSR2_L3_BT", PT_AMSR2_L3_BT},
                                                                   {"AMSR2_L3_GD", PT_AMSR2_L3_GD},
                                                                   {"AMSRE_L3_BT", PT_AMSRE_L3_BT},
                                                                   {"AMSRE_L3_GD", PT_AMSRE_L3_GD}};
    for (const auto& [name, kind] : radiometerGrids) {
        for (const char* grid : {"latlon_0.1", "latlon_0.25"}) cases.push_back({name, {{"grid", grid}}, kind});
    }
    return cases;
}

void PrintTo(const product_case& c, std::ostream* os) { *os << c.synthKind; }

// The file's sample type and the marker value of the reader's sample type.
std::pair<GDALDataType, double> type_and_marker(std::int32_t dtype)
{
    switch (dtype) {
    case DT_UINT8: return {GDT_Byte, synth_known::kMarkerU8};
    case DT_UINT16: return {GDT_UInt16, synth_known::kMarkerU16};
    case DT_INT16: return {GDT_Int16, synth_known::kMarkerI16};
    default: return {GDT_Float32, synth_known::kMarkerFloat};
    }
}

// Value of band 1 at the pixel whose area holds (lat, lon).
double value_at(GDALDataset& ds, double lat, double lon)
{
    const auto gt = geotransform_of(ds);
    // A grid that starts at 0 degrees holds western longitudes past 180.
    if (lon < gt[0]) lon += 360.0;
    const int col = int(std::floor((lon - gt[0]) / gt[1]));
    const int row = int(std::floor((lat - gt[3]) / gt[5]));
    double v = 0.0;
    EXPECT_EQ(ds.GetRasterBand(1)->RasterIO(GF_Read, col, row, 1, 1, &v, 1, 1, GDT_Float64, 0, 0, nullptr), CE_None)
        << "pixel " << col << "," << row << " (outside the image?)";
    return v;
}

class GriddedProducts : public ::testing::TestWithParam<product_case> {};

} // namespace

TEST_P(GriddedProducts, MarkerLandsAtItsPositionInTheGeoTiff)
{
    const product_case& c = GetParam();
    temp_dir dir;
    const std::string input = dir.file(std::string(c.synthKind) + ".h5");
    ASSERT_FALSE(test_support::write_synthetic(c.synthKind, input, c.variants).empty());

    spinfo info;
    info.init(input, std::filesystem::file_size(input));
    ASSERT_EQ(info.getType(), c.kind);
    ASSERT_GT(info.N_count(), 0u);

    spout out;
    // The first and the last variable of the product.
    for (std::uint32_t idx : {0u, info.N_count() - 1}) {
        SCOPED_TRACE("variable " + std::to_string(idx));
        productInfo_t pi;
        info.get_productInfo(idx, pi);
        std::int32_t dtype = DT_NONE;
        ASSERT_TRUE(info.get_dataSource(idx, dtype));
        ASSERT_TRUE(prepare_raster(info, out, dtype, pi));
        const auto [type, marker] = type_and_marker(dtype);

        const std::string name = dir.file("B_V" + std::to_string(idx) + ".tif");
        ASSERT_TRUE(through_l3_writer(c.kind) ? out.gen_L3EQR_GeoTiffImage(name, true) : out.gen_GeoTiffImage(name, 0));
        auto ds = open_readonly(name);
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetRasterXSize(), info.dataAttr().width);
        EXPECT_EQ(ds->GetRasterYSize(), info.dataAttr().height);
        ASSERT_EQ(ds->GetRasterCount(), 1);
        EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), type);
        EXPECT_EQ(epsg_of(*ds), 4326);

        // The L3 writer's grid starts at -180 degrees and spans the whole turn.
        // Upper-left and lower-right corners are the grid's outer edges.
        const earthPoint_t& ul = pi.corner[corner::UL];
        const earthPoint_t& lr = pi.corner[corner::LR];
        std::array<double, 6> want{ul.lon, (lr.lon - ul.lon) / info.dataAttr().width, 0.0, ul.lat,
                                   0.0,    (lr.lat - ul.lat) / info.dataAttr().height};
        if (through_l3_writer(c.kind)) want = {-180.0, 360.0 / info.dataAttr().width, 0.0, want[3], 0.0, want[5]};
        const auto gt = geotransform_of(*ds);
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(gt[i], want[i], 1e-12) << "term " << i;
        EXPECT_LT(gt[5], 0.0) << "north-up";

        EXPECT_FLOAT_EQ(float(value_at(*ds, synth_known::kMarkerLat, synth_known::kMarkerLon)), float(marker));
    }
}

INSTANTIATE_TEST_SUITE_P(Products, GriddedProducts, ::testing::ValuesIn(all_cases()),
                         [](const ::testing::TestParamInfo<product_case>& p) {
                             std::string name = p.param.synthKind;
                             for (const auto& [k, v] : p.param.variants) name += "_" + k + v;
                             for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

} // namespace vardane
