// The NetCDF copy of radiometer products, made by the run driver as a run
// with only NetCDF ticked makes it, and read back with the netCDF library.
#include <gtest/gtest.h>

#include <H5Cpp.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "driver/driver_test_support.h"
#include "netcdf/latlon_grid.h"
#include "netcdf/nc_read_back.h"
#include "netcdf/product_extras.h"
#include "support/synthetic_file.h"

namespace vardane {

namespace fs = std::filesystem;
using nc_test::nc_reader;

namespace {

constexpr output_switches kNetcdfOnly{false, false, false, true};

// Writes a synthetic product into the rig's folder; extras may add to it.
std::string product(driver_test::driver_rig& rig, const std::string& kind, const std::string& file,
                    test_support::synth_variants variants = {})
{
    const std::string path = test_support::write_synthetic(kind, rig.temp / file, std::move(variants));
    EXPECT_FALSE(path.empty()) << kind;
    return path;
}

std::string nc_of(const driver_test::driver_rig& rig, const std::string& stem)
{
    return (rig.out / (stem + ".nc")).string();
}

bool logged(const driver_test::driver_rig& rig, const std::string& line)
{
    return std::find(rig.sink.lines.begin(), rig.sink.lines.end(), line) != rig.sink.lines.end();
}

std::vector<float> h5_floats(const std::string& path, const std::string& dataset)
{
    H5::H5File file(path, H5F_ACC_RDONLY);
    H5::DataSet ds = file.openDataSet(dataset);
    std::vector<float> out(static_cast<std::size_t>(ds.getSpace().getSimpleExtentNpoints()));
    ds.read(out.data(), H5::PredType::NATIVE_FLOAT);
    return out;
}

} // namespace

// Samples arrive with their bits: brightness counts as stored, unsigned
// bytes and counts above the signed range, and the L1 latitude taken from
// the even 89 GHz A samples. netCDF4-python, masking and scaling on, reads
// counts as kelvin, masks the fill value and what lies below the valid
// range, and reads the unsigned flags and counts as they were stored.
TEST(NetcdfExport, L1bValuesKeepTheirBits)
{
    driver_test::driver_rig rig;
    const std::string in = product(rig, "AMSR2_L1B", "l1b.h5");
    nc_test::add_l1b_extras(in);
    nc_test::set_u16_head(in, "Brightness Temperature (10.7GHz,V)", {25000, 65535, 999});
    ASSERT_TRUE(rig.run({in}, kNetcdfOnly));
    nc_reader nc(nc_of(rig, "l1b"));
    ASSERT_TRUE(nc.ok());

    const std::vector<float> bt = h5_floats(in, "Brightness Temperature (10.7GHz,V)");
    const std::vector<double> copied = nc.values("Brightness_Temperature__10_7GHz_V_");
    ASSERT_EQ(copied.size(), bt.size());
    for (std::size_t i = 0; i < bt.size(); ++i) ASSERT_EQ(copied[i], bt[i]) << i;

    EXPECT_EQ(nc.values("Land_Ocean_Flag_6_to_36").at(0), 100.0);

    const nc_test::swath_size s = nc_test::swath_size_of(in);
    const std::vector<float> lat89 = h5_floats(in, "Latitude of Observation Point for 89A");
    const std::vector<float> lon89 = h5_floats(in, "Longitude of Observation Point for 89A");
    const std::vector<double> lat = nc.values("lat");
    const std::vector<double> lon = nc.values("lon");
    const std::size_t half = s.samples89 / 2;
    ASSERT_EQ(lat.size(), s.scans * half);
    for (std::size_t t = 0; t < s.scans; ++t) {
        for (std::size_t j = 0; j < half; ++j) {
            ASSERT_EQ(lat[t * half + j], lat89[t * s.samples89 + 2 * j]) << t << "," << j;
            ASSERT_EQ(lon[t * half + j], lon89[t * s.samples89 + 2 * j]) << t << "," << j;
        }
    }

    const std::string command = "/usr/bin/python3 '" + std::string(VARDANE_SOURCE_DIR)
                                + "/tests/netcdf/read_back_netcdf4.py' '" + nc_of(rig, "l1b") + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command << " (needs the Debian package python3-netcdf4)";
}

// Latitude/longitude grids get their coordinates computed per line and
// pixel, in hundredths of a degree, from the northern and western edges; the
// copy of an L3 grid carries them.
TEST(NetcdfExport, L3LatLonGridCoordinates)
{
    struct cell {
        std::size_t lines, pixels;
        bool lat;
        std::size_t line, pixel;
        short value;
    };
    const cell cells[] = {
        {1800, 3600, true, 0, 0, 9000},        {1800, 3600, true, 1, 7, 8990},     {1800, 3600, true, 900, 0, 0},
        {1800, 3600, true, 1799, 3599, -8990}, {1800, 3600, false, 0, 0, 0},       {1800, 3600, false, 5, 1800, 18000},
        {1800, 3600, false, 0, 1801, -17989},  {1800, 3600, false, 0, 3599, -9},   {720, 1440, true, 1, 0, 8975},
        {720, 1440, false, 0, 720, 18000},     {720, 1440, false, 0, 721, -17975},
    };
    for (const auto& k : cells) {
        const std::vector<short> v =
            k.lat ? latlon_grid_latitudes(k.lines, k.pixels) : latlon_grid_longitudes(k.lines, k.pixels);
        EXPECT_EQ(v.at(k.line * k.pixels + k.pixel), k.value)
            << k.pixels << (k.lat ? " lat " : " lon ") << k.line << "," << k.pixel;
    }

    driver_test::driver_rig rig;
    const std::string in = product(rig, "AMSRE_L3_GD", "grid.h5", {{"grid", "latlon_0.25"}, {"geo", "TPW"}});
    ASSERT_TRUE(rig.run({in}, kNetcdfOnly));
    nc_reader nc(nc_of(rig, "grid"));
    ASSERT_TRUE(nc.ok()) << ::testing::PrintToString(rig.sink.lines);
    const std::vector<short> lat = latlon_grid_latitudes(720, 1440);
    const std::vector<short> lon = latlon_grid_longitudes(720, 1440);
    EXPECT_EQ(nc.values("lat"), std::vector<double>(lat.begin(), lat.end()));
    EXPECT_EQ(nc.values("lon"), std::vector<double>(lon.begin(), lon.end()));
}

// A product the copy cannot make, or other than a radiometer product, gives a line that says why and the
// failure line, leaves no file behind, and the run goes on with the next.
TEST(NetcdfExport, BadProductsFailAloneAndLeaveNoFile)
{
    struct bad_case {
        const char* stem;
        std::function<void(const std::string&)> spoil;
        const char* why;
    };
    const bad_case cases[] = {
        {"size_changed",
         [](const std::string& p) {
             const auto s = nc_test::swath_size_of(p);
             nc_test::add_dataset(p, "Earth Azimuth", H5::PredType::NATIVE_FLOAT, {s.scans, s.samples89 / 2 - 3}, 1);
         },
         "Dataset Earth_Azimuth is 240 long in dimension Except89Samples, which is 243 long."},
        {"rank_changed",
         [](const std::string& p) {
             const auto s = nc_test::swath_size_of(p);
             nc_test::add_dataset(p, "Earth Incidence", H5::PredType::NATIVE_FLOAT, {2, s.scans, s.samples89 / 2}, 1);
         },
         "Dataset Earth_Incidence has 3 dimensions, 2 expected."},
        {"odd_attribute",
         [](const std::string& p) { nc_test::add_int_attribute(p, "Brightness Temperature (7.3GHz,V)", "Bits"); },
         "Attribute \"Bits\" of dataset \"Brightness Temperature (7.3GHz,V)\" is neither text nor a float."},
    };
    driver_test::driver_rig rig;
    std::vector<std::string> inputs;
    for (const auto& c : cases) {
        inputs.push_back(product(rig, "AMSR2_L1B", std::string(c.stem) + ".h5"));
        c.spoil(inputs.back());
    }
    inputs.push_back(product(rig, "GSMAP_HOURLY", "gsmap.h5"));
    inputs.push_back(product(rig, "AMSR2_L1B", "good.h5"));
    ASSERT_TRUE(rig.run(inputs, kNetcdfOnly));

    for (const auto& c : cases) {
        SCOPED_TRACE(c.stem);
        EXPECT_TRUE(logged(rig, c.why)) << ::testing::PrintToString(rig.sink.lines);
        EXPECT_TRUE(logged(rig, std::string("Fail in creating NetCDF file(") + c.stem + ".nc)."));
        EXPECT_FALSE(fs::exists(nc_of(rig, c.stem)));
        EXPECT_FALSE(fs::exists(rig.work / (std::string(c.stem) + ".nc")));
    }
    EXPECT_TRUE(logged(rig, "NetCDF unsupported."));
    EXPECT_FALSE(fs::exists(nc_of(rig, "gsmap")));
    EXPECT_TRUE(fs::exists(nc_of(rig, "good")));
}

// Whole headers of one product of each family, against headers written out
// by hand: dimensions, types, every attribute, units as CF readers know them
// ("deg" by axis, "Kg/m2", "C", the scan time's), _Unsigned where the file
// stored unsigned bits.
// Quality and time datasets of real products are not in the catalogue: their
// axes take the named dimensions of the same extents.
TEST(NetcdfExport, UncataloguedDatasetsTakeTheNamedDimensionsOfTheirExtents)
{
    driver_test::driver_rig rig;
    const std::string swath = product(rig, "AMSR2_L2_LOW", "low.h5", {{"geo", "SST"}, {"scans", "150"}});
    nc_test::add_dataset(swath, "Pixel Data Quality", H5::PredType::NATIVE_UINT8, {2, 150, 243}, 0);
    const std::string grid = product(rig, "AMSR2_L3_GD", "grid.h5", {{"grid", "latlon_0.25"}});
    nc_test::add_dataset(grid, "Time Information", H5::PredType::NATIVE_FLOAT, {720, 1440}, 12);
    ASSERT_TRUE(rig.run({swath, grid}, kNetcdfOnly));
    const auto has = [](const std::string& header, const std::string& line) {
        return header.find(line) != std::string::npos;
    };
    const std::string low = nc_test::ncdump_header(nc_of(rig, "low"));
    EXPECT_TRUE(has(low, "byte Pixel_Data_Quality(phony_dim_0, time, Samples) ;")) << low;
    const std::string l3 = nc_test::ncdump_header(nc_of(rig, "grid"));
    EXPECT_TRUE(has(l3, "float Time_Information(line, pixel) ;")) << l3;
}

TEST(NetcdfExport, HeadersMatchGoldens)
// clang-format off
{
    using nc_test::add_unit;
    struct header_case {
        const char* kind;
        test_support::synth_variants variants;
        std::function<void(const std::string&)> extras;
        const char* golden;
    };
    const header_case cases[] = {
        {"AMSR2_L1B", {}, nc_test::add_l1b_extras, "amsr2_l1b"},
        {"AMSR2_L1R", {},
         [](const std::string& p) {
             add_unit(p, "Latitude of Observation Point for 89B", "deg");
             add_unit(p, "Longitude of Observation Point for 89B", "");
         },
         "amsr2_l1r"},
        {"AMSR2_L2_LOW", {{"geo", "SST"}},
         [](const std::string& p) {
             add_unit(p, "Geophysical Data", "C");
             add_unit(p, "Longitude of Observation Point", "deg");
         },
         "amsr2_l2_low"},
        {"AMSR2_L3_BT", {{"grid", "latlon_0.25"}},
         [](const std::string& p) { add_unit(p, "Brightness Temperature (H)", "K"); }, "amsr2_l3_bt"},
        {"AMSR2_L3_GD", {{"grid", "latlon_0.25"}, {"geo", "TPW"}},
         [](const std::string& p) { add_unit(p, "Geophysical Data", "Kg/m2"); }, "amsr2_l3_gd"},
        {"AMSRE_L1B", {},
         [](const std::string& p) {
             // Datasets the catalogue does not name take the scans' dimension, and
             // share unnamed ones by length for the rest.
             const hsize_t scans = nc_test::swath_size_of(p).scans;
             nc_test::add_dataset(p, "Spare Count", H5::PredType::NATIVE_INT16, {scans, 5}, -7);
             nc_test::add_dataset(p, "Spare Flag", H5::PredType::NATIVE_INT8, {scans, 5}, -7);
             nc_test::add_dataset(p, "Spare Table", H5::PredType::NATIVE_FLOAT, {3}, 0.5);
         },
         "amsre_l1b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        driver_test::driver_rig rig;
        const std::string in = product(rig, c.kind, std::string(c.golden) + ".h5", c.variants);
        c.extras(in);
        ASSERT_TRUE(rig.run({in}, kNetcdfOnly));
        EXPECT_EQ(nc_test::ncdump_header(nc_of(rig, c.golden)), nc_test::golden_header(c.golden));
    }
}
// clang-format on

} // namespace vardane
