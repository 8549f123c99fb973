// SGLI scenes and tiles read back: product file name, dataset tables, validity
// attributes, tie-point geolocation and known values.
#include <cmath>

#include "sgli_names.h"
#include "synth_known_values.h"
#include "synth_test_support.h"

namespace vardane {

using namespace synth_test;
namespace sk = synth_known;
using synth_sgli::sgli_product;

namespace {

std::string product_file_name(const H5::H5File& f)
{
    return read_string_attr(f.openGroup("/Global_attributes"), "Product_file_name");
}

struct sgli_case {
    const char* kind;
    sgli_product id;
};

class SgliKinds : public ::testing::TestWithParam<sgli_case> {};

} // namespace

TEST_P(SgliKinds, FileNameTablesTypesAndKnownValues)
{
    const auto c = GetParam();
    temp_dir dir;
    const auto path = dir.file("sgli.h5");
    ASSERT_TRUE(write_kind(c.kind, path));
    H5::H5File f(path, H5F_ACC_RDONLY);
    // The file name, origin value and tag of every dataset: the reader's sweep.
    const bool tile = synth_sgli::product_of(c.id).tile;
    for (const auto& d : synth_sgli::datasets_of(c.id)) {
        H5::DataSet ds = f.openDataSet(std::string(d.name));
        const auto dims = dims_of(ds);
        ASSERT_EQ(dims.size(), 2u) << d.name;
        const std::size_t cols = dims[1];
        const std::size_t mid = (dims[0] / 2) * cols + cols / 2;
        if (d.type == synth_sgli::sample_type::u16) {
            const auto v = read_all<std::uint16_t>(f, std::string(d.name));
            EXPECT_TRUE(tile || v[mid] == sk::kMarkerU16) << d.name;
            const bool masked = d.what == synth_sgli::role::radiance;
            EXPECT_EQ(ds.attrExists("Mask"), masked) << d.name;
            if (masked) {
                EXPECT_EQ(read_attr<std::uint16_t>(ds, "Mask"), sk::kSgliMask);
                EXPECT_EQ(read_attr<std::uint16_t>(ds, "Minimum_valid_DN"), sk::kSgliMinValidDN);
                EXPECT_EQ(read_attr<std::uint16_t>(ds, "Maximum_valid_DN"), sk::kSgliMaxValidDN);
                EXPECT_EQ(v[2], sk::kSgliFlaggedDN);
                EXPECT_EQ(v[2] & sk::kSgliMask, sk::kSgliFlaggedClean);
            }
        } else {
            const auto v = read_all<std::uint8_t>(f, std::string(d.name));
            EXPECT_TRUE(tile || v[mid] == sk::kMarkerU8) << d.name;
        }
    }
    EXPECT_EQ(f.nameExists("/Geometry_data"), !tile);
}

INSTANTIATE_TEST_SUITE_P(
    Products, SgliKinds,
    ::testing::Values(sgli_case{"SGLI_VNR", sgli_product::vnr}, sgli_case{"SGLI_POL", sgli_product::pol},
                      sgli_case{"SGLI_IRS", sgli_product::irs}, sgli_case{"SGLI_NWLR", sgli_product::nwlr},
                      sgli_case{"SGLI_IWPR", sgli_product::iwpr}, sgli_case{"SGLI_SST", sgli_product::sst},
                      sgli_case{"SGLI_LTOA", sgli_product::ltoa}, sgli_case{"SGLI_RSRF", sgli_product::rsrf},
                      sgli_case{"SGLI_LST", sgli_product::lst}, sgli_case{"SGLI_CLFG", sgli_product::clfg}),
    [](const auto& info) { return std::string(info.param.kind); });

TEST(SgliScenes, TiePointsEveryTenPixelsAndFullGeolocationForPol)
{
    temp_dir dir;
    const auto vnr = dir.file("vnr.h5");
    const auto pol = dir.file("pol.h5");
    const auto irs = dir.file("irs.h5");
    ASSERT_TRUE(write_kind("SGLI_VNR", vnr, options({{"size", "100x120"}})));
    ASSERT_TRUE(write_kind("SGLI_POL", pol, options({{"size", "50x60"}})));
    ASSERT_TRUE(write_kind("SGLI_IRS", irs, options({{"size", "200x240"}})));
    {
        H5::H5File f(vnr, H5F_ACC_RDONLY);
        EXPECT_EQ(dims_of(f.openDataSet("/Image_data/Lt_VN01")), (std::vector<hsize_t>{100, 120}));
        EXPECT_EQ(dims_of(f.openDataSet("/Geometry_data/Latitude")), (std::vector<hsize_t>{11, 13}));
        const auto lat = read_all<float>(f, "/Geometry_data/Latitude");
        const auto lon = read_all<float>(f, "/Geometry_data/Longitude");
        // Around the default centre (35 N, 139 E), about 10 km between tie points.
        EXPECT_NEAR(lat[5 * 13 + 6], 35.0f, 1.0f);
        EXPECT_NEAR(lon[5 * 13 + 6], 139.0f, 1.0f);
        EXPECT_NEAR(std::abs(lat[13 + 6] - lat[6]) * 111.0, 100.0, 15.0);
    }
    {
        H5::H5File f(pol, H5F_ACC_RDONLY);
        EXPECT_EQ(dims_of(f.openDataSet("/Geometry_data/Latitude")), (std::vector<hsize_t>{50, 60}));
    }
    {
        H5::H5File f(irs, H5F_ACC_RDONLY);
        EXPECT_EQ(dims_of(f.openDataSet("/Image_data/Lt_SW01")), (std::vector<hsize_t>{50, 60}));
        EXPECT_EQ(dims_of(f.openDataSet("/Image_data/Lt_SW03")), (std::vector<hsize_t>{200, 240}));
        EXPECT_EQ(dims_of(f.openDataSet("/Image_data/Lt_SW04")), (std::vector<hsize_t>{50, 60}));
        EXPECT_EQ(dims_of(f.openDataSet("/Geometry_data/Latitude")), (std::vector<hsize_t>{21, 25}));
    }
}

TEST(SgliScenes, SceneCanStraddleTheDateLineAndSstNightCode)
{
    temp_dir dir;
    const auto path = dir.file("sst.h5");
    ASSERT_TRUE(write_kind("SGLI_SST", path, options({{"center", "20,179.5"}, {"sst", "SSTN"}})));
    H5::H5File f(path, H5F_ACC_RDONLY);
    EXPECT_EQ(product_file_name(f).substr(31, 4), "SSTN");
    const auto lon = read_all<float>(f, "/Geometry_data/Longitude");
    const auto [mn, mx] = std::minmax_element(lon.begin(), lon.end());
    EXPECT_LT(*mn, -170.0f);
    EXPECT_GT(*mx, 170.0f);
}

TEST(SgliTiles, TileNumbersMarkerCellAndOffEarthFill)
{
    temp_dir dir;
    const auto path = dir.file("lst.h5");
    ASSERT_TRUE(write_kind("SGLI_LST", path));
    H5::H5File f(path, H5F_ACC_RDONLY);
    const std::string name = product_file_name(f);
    EXPECT_EQ(name.substr(21, 2), "05"); // vertical tile number
    EXPECT_EQ(name.substr(23, 2), "29"); // horizontal tile number
    const auto m = sk::tile_marker_cell(29, 5, 120, 120);
    ASSERT_TRUE(m);
    const auto v = read_all<std::uint16_t>(f, "/Image_data/LST");
    EXPECT_EQ(v[m->first * 120 + m->second], sk::kMarkerU16);
    // The marker cell's centre by the tile geometry is close to the marker position.
    const double lat = 90.0 - ((static_cast<double>(m->first) + 0.5) / 120 + 5) * 10.0;
    const double lon =
        (((static_cast<double>(m->second) + 0.5) / 120 + 29) * 10.0 - 180.0) / std::cos(lat * M_PI / 180.0);
    EXPECT_NEAR(lat, sk::kMarkerLat, 0.1);
    EXPECT_NEAR(lon, sk::kMarkerLon, 0.15);

    // A tile at the edge of the sinusoidal grid is partly off the Earth.
    const auto edge = dir.file("edge.h5");
    ASSERT_TRUE(write_kind("SGLI_CLFG", edge, options({{"tile", "0803"}})));
    H5::H5File e(edge, H5F_ACC_RDONLY);
    const auto c = read_all<std::uint16_t>(e, "/Image_data/Cloud_flag");
    EXPECT_EQ(c[5], sk::kFillU16);            // top-left: beyond -180
    EXPECT_NE(c[c.size() - 1], sk::kFillU16); // bottom-right: on the Earth
}

} // namespace vardane
