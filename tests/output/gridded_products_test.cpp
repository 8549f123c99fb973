// Gridded products end to end: a synthetic product is recognised and read by
// spinfo, loaded into spout and written as GeoTIFF; the file is read back with
// GDAL and must put the product's marker at the marker's latitude/longitude.
#include <cctype>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "hdf5/synth_known_values.h"
#include "output/spout.h"
#include "output_test_support.h"
#include "product_pipeline.h"
#include "reader/spinfo.h"

using namespace output_test;

namespace {

enum class writer { eqr, l3eqr };

struct product_case {
    const char* synthKind;
    std::vector<std::pair<std::string, std::string>> variants;
    productType kind;
    writer path;
};

void PrintTo(const product_case& c, std::ostream* os) { *os << c.synthKind; }

bool make_product(const product_case& c, const std::string& path)
{
    return make_synthetic_product(c.synthKind, c.variants, path);
}

double marker_of(std::int32_t dtype)
{
    switch (dtype) {
    case DT_UINT8: return synth_known::kMarkerU8;
    case DT_UINT16: return synth_known::kMarkerU16;
    case DT_INT16: return synth_known::kMarkerI16;
    default: return synth_known::kMarkerFloat;
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
    EXPECT_TRUE(col >= 0 && col < ds.GetRasterXSize() && row >= 0 && row < ds.GetRasterYSize())
        << "pixel " << col << "," << row;
    double v = 0.0;
    EXPECT_EQ(ds.GetRasterBand(1)->RasterIO(GF_Read, col, row, 1, 1, &v, 1, 1, GDT_Float64, 0, 0, nullptr),
              CE_None);
    return v;
}

class GriddedProducts : public ::testing::TestWithParam<product_case> {};

} // namespace

TEST_P(GriddedProducts, MarkerLandsAtItsPositionInTheGeoTiff)
{
    const product_case& c = GetParam();
    temp_dir dir;
    const std::string input = dir.file(std::string(c.synthKind) + ".h5");
    ASSERT_TRUE(make_product(c, input));

    spinfo info;
    info.init(input, std::filesystem::file_size(input));
    ASSERT_EQ(info.getType(), c.kind);
    ASSERT_GT(info.N_count(), 0u);

    spout out;
    // The first and the last variable of the product.
    const std::uint32_t last = info.N_count() - 1;
    for (std::uint32_t idx : {0u, last}) {
        SCOPED_TRACE("variable " + std::to_string(idx));
        productInfo_t pi;
        info.get_productInfo(idx, pi);
        std::int32_t dtype = DT_NONE;
        ASSERT_TRUE(info.get_dataSource(idx, dtype));
        ASSERT_TRUE(load_variable(out, info, dtype, pi));

        const std::string name = dir.file("B_V" + std::to_string(idx) + ".tif");
        ASSERT_TRUE(c.path == writer::l3eqr ? out.gen_L3EQR_GeoTiffImage(name, true)
                                            : out.gen_GeoTiffImage(name, 0));
        auto ds = open_readonly(name);
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetRasterXSize(), info.dataAttr.width);
        EXPECT_EQ(ds->GetRasterYSize(), info.dataAttr.height);
        ASSERT_EQ(ds->GetRasterCount(), 1);
        EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), gdal_type_of(dtype));
        EXPECT_EQ(epsg_of(*ds), 4326);

        const auto gt = geotransform_of(*ds);
        if (c.path == writer::l3eqr) {
            EXPECT_DOUBLE_EQ(gt[0], -180.0);
            EXPECT_NEAR(gt[1], 360.0 / info.dataAttr.width, 1e-12);
        } else {
            for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(gt[i], out.geoTransform[i]) << "term " << i;
        }
        EXPECT_DOUBLE_EQ(gt[3], out.geoTransform[3]);
        EXPECT_NEAR(gt[5], out.geoTransform[5], 1e-12);
        EXPECT_LT(gt[5], 0.0) << "north-up";

        EXPECT_FLOAT_EQ(float(value_at(*ds, synth_known::kMarkerLat, synth_known::kMarkerLon)),
                        float(marker_of(dtype)));
    }
}

namespace {

using variants = std::vector<std::pair<std::string, std::string>>;

const variants kTenth{{"grid", "latlon_0.1"}};
const variants kQuarter{{"grid", "latlon_0.25"}};

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Products, GriddedProducts,
    ::testing::Values(product_case{"GSMAP_HOURLY", {}, PT_GSMAP_HOURLY, writer::eqr},
                      product_case{"GSMAP_MONTHLY", {}, PT_GSMAP_MONTHLY, writer::eqr},
                      product_case{"DPR_DAILY", {{"rank", "3"}}, PT_DPR_DAILY, writer::eqr},
                      product_case{"DPR_DAILY", {{"rank", "4"}}, PT_DPR_DAILY, writer::eqr},
                      product_case{"DPR_MONTHLY", {}, PT_DPR_MONTHLY, writer::eqr},
                      product_case{"DPRV7_DAILY", {}, PT_DPRV7_DAILY, writer::eqr},
                      product_case{"DPRV7_MONTHLY", {}, PT_DPRV7_MONTHLY, writer::eqr},
                      product_case{"AMSR2_L3_BT", kTenth, PT_AMSR2_L3_BT, writer::l3eqr},
                      product_case{"AMSR2_L3_BT", kQuarter, PT_AMSR2_L3_BT, writer::l3eqr},
                      product_case{"AMSR2_L3_GD", kTenth, PT_AMSR2_L3_GD, writer::l3eqr},
                      product_case{"AMSR2_L3_GD", kQuarter, PT_AMSR2_L3_GD, writer::l3eqr},
                      product_case{"AMSRE_L3_BT", kTenth, PT_AMSRE_L3_BT, writer::eqr},
                      product_case{"AMSRE_L3_BT", kQuarter, PT_AMSRE_L3_BT, writer::eqr},
                      product_case{"AMSRE_L3_GD", kTenth, PT_AMSRE_L3_GD, writer::eqr},
                      product_case{"AMSRE_L3_GD", kQuarter, PT_AMSRE_L3_GD, writer::eqr}),
    [](const ::testing::TestParamInfo<product_case>& p) {
        std::string name = p.param.synthKind;
        for (const auto& [k, v] : p.param.variants) name += "_" + k + v;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });
