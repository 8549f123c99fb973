// The mosaic of a run's GeoTIFFs: grouping by output name and grid, the VRT's
// NoData, and the VRT read back with GDAL.
#include <gtest/gtest.h>

#include <gdal_priv.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "batch/geotiff_mosaic.h"
#include "output/gdal_session.h"
#include "support/scratch_folder.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

using transform = std::array<double, 6>;
constexpr transform kGridA{-180, 0.1, 0, 90, 0, -0.1};
constexpr transform kGridB{100, 0.1, 0, 40, 0, -0.1};
constexpr int kWidth = 4;
constexpr int kHeight = 3;

// A GeoTIFF of kWidth x kHeight values (zeros when none are given).
struct fixture_file {
    std::string name;
    GDALDataType type = GDT_UInt16;
    transform where = kGridA;
    std::optional<double> nodata = std::nullopt;
    int epsg = 4326;
    std::vector<double> values = {};
};

std::string write_geotiff(const fs::path& folder, const fixture_file& f)
{
    const std::string path = (folder / f.name).string();
    gdal_session::dataset_ptr ds = gdal_session::create_gtiff(path, kWidth, kHeight, 1, f.type);
    EXPECT_TRUE(ds) << path;
    if (!ds) return path;
    transform gt = f.where;
    ds->SetGeoTransform(gt.data());
    OGRSpatialReference crs;
    crs.importFromEPSG(f.epsg);
    ds->SetSpatialRef(&crs);
    if (f.nodata) ds->GetRasterBand(1)->SetNoDataValue(*f.nodata);
    std::vector<double> values = f.values;
    values.resize(kWidth * kHeight, 0.0);
    EXPECT_EQ(ds->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, kWidth, kHeight, values.data(), kWidth, kHeight,
                                             GDT_Float64, 0, 0),
              CE_None);
    EXPECT_TRUE(gdal_session::close(ds));
    return path;
}

std::vector<std::string> names_of(const std::vector<std::string>& paths)
{
    std::vector<std::string> names;
    for (const auto& p : paths) names.push_back(fs::path(p).filename().string());
    return names;
}

const mosaic_plan* plan_named(const std::vector<mosaic_plan>& plans, const std::string& name)
{
    for (const auto& plan : plans) {
        if (fs::path(plan.vrt).filename() == name) return &plan;
    }
    return nullptr;
}

std::vector<double> read_all(const std::string& path, std::optional<double>& nodata)
{
    const gdal_session::dataset_ptr ds(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    EXPECT_TRUE(ds) << path;
    if (!ds) return {};
    int has = 0;
    const double value = ds->GetRasterBand(1)->GetNoDataValue(&has);
    nodata = has ? std::optional<double>(value) : std::nullopt;
    std::vector<double> values(std::size_t(ds->GetRasterXSize()) * std::size_t(ds->GetRasterYSize()));
    EXPECT_EQ(ds->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, ds->GetRasterXSize(), ds->GetRasterYSize(), values.data(),
                                             ds->GetRasterXSize(), ds->GetRasterYSize(), GDT_Float64, 0, 0),
              CE_None);
    return values;
}

} // namespace

// The output name is what follows the input's base name, whatever that base
// holds; one name on two grids gets two numbered VRTs, windows of a swath
// (their own names) one each.
TEST(GeotiffMosaic, GroupsByOutputNameAndGrid)
{
    test_support::scratch_folder folder("vardane-mosaic");
    const auto path = [&](const fixture_file& f) { return write_geotiff(folder.path(), f); };
    const std::vector<run_geotiff> files{
        {path({"g_1_SST_1.proj.tif"}), "g_1"},
        {path({"g_1_SST_2.proj.tif", GDT_UInt16, kGridB}), "g_1"},
        {path({"g_2_SST_1.proj.tif"}), "g_2"},
        {path({"g_1_Flag.tif", GDT_Byte}), "g_1"},
        {path({"g_2_Flag.tif", GDT_Byte, kGridB}), "g_2"},
        {path({"g_3_Flag.tif", GDT_Byte, kGridA, std::nullopt, 32654}), "g_3"},
        {path({"g_4_Flag.tif", GDT_Byte}), "g_4"},
        // Base "g" with output name "1_SST_1": no confusion with base "g_1".
        {path({"g_1_SST_1.tif"}), "g"},
    };
    const auto plans = plan_mosaics(files, folder.path().string());
    ASSERT_EQ(plans.size(), 6u);
    for (const auto& plan : plans) {
        EXPECT_EQ(fs::path(plan.vrt).parent_path(), folder.path());
        EXPECT_FALSE(plan.why.failed()) << plan.why.cause;
    }
    const auto expect_plan = [&](const std::string& vrt, const std::vector<std::string>& sources) {
        const mosaic_plan* plan = plan_named(plans, vrt);
        ASSERT_TRUE(plan) << vrt;
        EXPECT_EQ(names_of(plan->files), sources) << vrt;
    };
    expect_plan("SST_1_mosaic.vrt", {"g_1_SST_1.proj.tif", "g_2_SST_1.proj.tif"});
    expect_plan("SST_2_mosaic.vrt", {"g_1_SST_2.proj.tif"});
    // Grids in the order they first appear; another coordinate system is
    // another grid.
    expect_plan("Flag_mosaic_1.vrt", {"g_1_Flag.tif", "g_4_Flag.tif"});
    expect_plan("Flag_mosaic_2.vrt", {"g_2_Flag.tif"});
    expect_plan("Flag_mosaic_3.vrt", {"g_3_Flag.tif"});
    expect_plan("1_SST_1_mosaic.vrt", {"g_1_SST_1.tif"});
}

// A NoData the files record is the mosaic's; without one, the swath grids'
// fill value of the sample type. Files that record different values do not
// share a VRT.
TEST(GeotiffMosaic, NodataIsTheRecordedOneOrTheGridFill)
{
    test_support::scratch_folder folder("vardane-mosaic");
    const auto path = [&](const fixture_file& f) { return write_geotiff(folder.path(), f); };
    const std::vector<run_geotiff> files{
        {path({"a_T.tif", GDT_Int16, kGridA, -9999.0}), "a"},
        {path({"b_T.tif", GDT_Int16, kGridA, -9999.0}), "b"},
        {path({"c_T.tif", GDT_Int16}), "c"},
        {path({"a_U.tif", GDT_UInt16}), "a"},
        {path({"a_B.tif", GDT_Byte}), "a"},
        {path({"a_F.tif", GDT_Float32}), "a"},
    };
    const auto plans = plan_mosaics(files, folder.path().string());
    ASSERT_EQ(plans.size(), 5u);
    const auto nodata_of = [&](const std::string& vrt) {
        const mosaic_plan* plan = plan_named(plans, vrt);
        EXPECT_TRUE(plan) << vrt;
        return plan ? plan->nodata : std::nullopt;
    };
    EXPECT_EQ(nodata_of("T_mosaic_1.vrt"), -9999.0);
    EXPECT_EQ(names_of(plan_named(plans, "T_mosaic_1.vrt")->files), (std::vector<std::string>{"a_T.tif", "b_T.tif"}));
    EXPECT_EQ(nodata_of("T_mosaic_2.vrt"), -32768.0);
    EXPECT_EQ(nodata_of("U_mosaic.vrt"), 65535.0);
    EXPECT_EQ(nodata_of("B_mosaic.vrt"), 255.0);
    const auto floats = nodata_of("F_mosaic.vrt");
    ASSERT_TRUE(floats);
    EXPECT_TRUE(std::isnan(*floats));
}

// Later files lie on top, their empty cells show the earlier ones, cells
// empty in all are NoData; the VRT names its sources relative to itself, so
// the folder can move.
TEST(GeotiffMosaic, VrtLaysLaterFilesOnTopAndTravelsWithItsFolder)
{
    test_support::scratch_folder scratch("vardane-mosaic");
    const fs::path folder = scratch / "out";
    fs::create_directory(folder);
    constexpr double E = 65535;
    // clang-format off
    const std::vector<double> first{1, 2, 3, E,
                                    5, 6, E, E,
                                    E, E, E, E};
    const std::vector<double> second{E, 20, E, 40,
                                     E, 60, 70, E,
                                     E, E, E, E};
    const std::vector<double> third{E, E, E, E,
                                    E, E, E, E,
                                    E, E, 300, E};
    const std::vector<double> expected{1, 20, 3, 40,
                                       5, 60, 70, E,
                                       E, E, 300, E};
    // clang-format on
    const std::vector<run_geotiff> files{
        {write_geotiff(folder, {"a_V.tif", GDT_UInt16, kGridA, std::nullopt, 4326, first}), "a"},
        {write_geotiff(folder, {"b_V.tif", GDT_UInt16, kGridA, std::nullopt, 4326, second}), "b"},
        {write_geotiff(folder, {"c_V.tif", GDT_UInt16, kGridA, 65535.0, 4326, third}), "c"},
    };
    // The third records its NoData, the others do not: one grid all the
    // same, since the fill of UInt16 is that value.
    const auto plans = plan_mosaics(files, folder.string());
    ASSERT_EQ(plans.size(), 1u);
    ASSERT_EQ(plans[0].files.size(), 3u);
    const failure why = write_mosaic(plans[0]);
    ASSERT_FALSE(why.failed()) << why.cause;

    fs::rename(folder, scratch / "moved");
    std::optional<double> nodata;
    EXPECT_EQ(read_all((scratch / "moved" / "V_mosaic.vrt").string(), nodata), expected);
    EXPECT_EQ(nodata, 65535.0);
}

// A VRT that cannot be written is a failure with GDAL's words and leaves no
// file; a GeoTIFF GDAL cannot read is a failure of its name's mosaic.
TEST(GeotiffMosaic, FailuresCarryTheirCause)
{
    test_support::scratch_folder folder("vardane-mosaic");
    const std::vector<run_geotiff> files{{write_geotiff(folder.path(), {"a_V.tif"}), "a"}};
    const auto plans = plan_mosaics(files, (folder / "missing").string());
    ASSERT_EQ(plans.size(), 1u);
    const failure why = write_mosaic(plans[0]);
    EXPECT_TRUE(why.failed());
    EXPECT_EQ(why.file, (folder / "missing" / "V_mosaic.vrt").string());
    EXPECT_FALSE(fs::exists(folder / "missing"));

    std::ofstream(folder / "a_W.tif") << "no tiff";
    const auto broken = plan_mosaics({{(folder / "a_W.tif").string(), "a"}}, folder.path().string());
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_TRUE(broken[0].why.failed());
    EXPECT_EQ(broken[0].why.file, (folder / "a_W.tif").string());
    EXPECT_EQ(fs::path(broken[0].vrt).filename(), "W_mosaic.vrt");
    EXPECT_EQ(write_mosaic(broken[0]).cause, broken[0].why.cause);
    EXPECT_FALSE(fs::exists(folder / "W_mosaic.vrt"));
}

} // namespace vardane
