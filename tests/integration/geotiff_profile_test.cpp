// The GeoTIFF profiles and NoData through vardane-cli, for every family of
// GeoTIFF: gridded latitude/longitude (float and 16-bit radiometer grids),
// polar-stereographic, and a swath's latitude/longitude window. Each run is
// read back against the default (plain) run of the same products.
#include <gtest/gtest.h>

#include <ogr_spatialref.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/wait.h>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"

namespace vardane {

using namespace integration;

namespace {

namespace fs = std::filesystem;

// One product of each GeoTIFF family.
struct family {
    const char* kind;
    const char* fileName;
    test_support::synth_variants variants;
};

const std::vector<family>& families()
{
    static const std::vector<family> all{
        {"GSMAP_HOURLY", "hourly.h5", {}},
        {"AMSRE_L3_BT", "bt.h5", {}},
        {"AMSR2_L3_BT", "north.h5", {{"grid", "nsidc_north_25km"}}},
        {"AMSR2_L2_LOW", "snow.h5", {{"geo", "SND"}, {"layers", "1"}}},
    };
    return all;
}

// A run of every family's product with the given options.
struct profile_run {
    cli_scene scene;
    cli_test::process_result result;
    std::vector<std::string> tifs; // the GeoTIFFs written, by name
};

std::unique_ptr<profile_run> run_with(const std::vector<std::string>& options)
{
    auto run = std::make_unique<profile_run>();
    // The AMSR2 grid in the north polar-stereographic projection is wanted.
    run->scene.settings([](spconverter& s) {
        TiffGenType north = TG_POLAR_NORTH;
        ASSERT_TRUE(s.set_ProjectionSetting(ST_GCOMW_L3BT, north));
    });
    std::vector<std::string> args{"--geotiff"};
    args.insert(args.end(), options.begin(), options.end());
    for (const family& f : families()) args.push_back(run->scene.product(f.kind, f.fileName, f.variants));
    run->result = run->scene.run(args);
    for (const auto& name : file_names(run->scene.out())) {
        if (name.ends_with(".tif")) run->tifs.push_back(name);
    }
    return run;
}

bool ends_with_any(const std::vector<std::string>& names, const std::string& tail)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return n.ends_with(tail); });
}

struct dataset_closer {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using dataset = std::unique_ptr<GDALDataset, dataset_closer>;

dataset open(const fs::path& path)
{
    GDALAllRegister();
    return dataset(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
}

std::string structure(GDALDataset& ds, const char* key)
{
    const char* v = ds.GetMetadataItem(key, "IMAGE_STRUCTURE");
    return v ? v : "";
}

std::string bytes_of(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Same size, bands, sample type, geotransform, reference system and every
// pixel (NaN matching NaN).
void expect_same_image(const fs::path& plainPath, const fs::path& otherPath)
{
    const raster_file plain(plainPath);
    const raster_file other(otherPath);
    ASSERT_TRUE(plain.is_open() && other.is_open());
    ASSERT_EQ(other.width(), plain.width());
    ASSERT_EQ(other.height(), plain.height());
    ASSERT_EQ(other.bands(), plain.bands());
    EXPECT_EQ(other.geotransform(), plain.geotransform());
    OGRSpatialReference a;
    OGRSpatialReference b;
    ASSERT_EQ(a.importFromWkt(plain.projection().c_str()), OGRERR_NONE);
    ASSERT_EQ(b.importFromWkt(other.projection().c_str()), OGRERR_NONE);
    EXPECT_TRUE(a.IsSame(&b)) << plain.projection() << "\n" << other.projection();
    EXPECT_EQ(a.GetSemiMajor(), b.GetSemiMajor());
    EXPECT_EQ(a.GetInvFlattening(), b.GetInvFlattening());
    for (int b = 1; b <= plain.bands(); ++b) {
        EXPECT_EQ(other.type(b), plain.type(b));
        const auto a = plain.band(b);
        const auto o = other.band(b);
        ASSERT_EQ(a.size(), o.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i] != o[i] && !(std::isnan(a[i]) && std::isnan(o[i]))) ++differing;
        }
        EXPECT_EQ(differing, 0u) << "band " << b;
    }
}

// The value meaning "no data" the run is to record in each file: the swath
// grid's empty cell by sample type in windows, the radiometer's "missing"
// count in its 16-bit grids, none for grids whose product has no fill count.
std::optional<double> expected_nodata(const std::string& name, GDALDataType type)
{
    if (name.ends_with(".proj.tif")) {
        if (type == GDT_Int16) return -32768.0;
        if (type == GDT_Byte) return 255.0;
        return 65535.0;
    }
    if (type == GDT_UInt16) return 65535.0;
    if (type == GDT_Int16) return -32767.0;
    return std::nullopt;
}

std::optional<double> nodata_of(const fs::path& path)
{
    const auto ds = open(path);
    if (!ds) return std::nullopt;
    int has = 0;
    const double v = ds->GetRasterBand(1)->GetNoDataValue(&has);
    return has ? std::optional<double>(v) : std::nullopt;
}

// GDAL's own Cloud-Optimized GeoTIFF validation, full check; its messages
// on failure.
int cog_validation(const fs::path& path)
{
    const std::string command = "/usr/bin/python3 -c 'import sys\n"
                                "from osgeo_utils.samples.validate_cloud_optimized_geotiff import validate\n"
                                "w, e, _ = validate(sys.argv[1], full_check=True)\n"
                                "print(e)\n"
                                "sys.exit(1 if e else 0)' '"
                                + path.string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The default run, made once for the tests of this file; each test checks
// that it succeeded, so that a failed run fails every test instead of
// skipping them.
class GeotiffProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const std::unique_ptr<profile_run> plain = run_with({});
        plain_ = plain.get();
        ASSERT_EQ(plain_->result.status, 0) << plain_->result.out << plain_->result.err;
    }
    const profile_run* plain_ = nullptr;

    // A file of another profile holds the pixels of its plain twin and
    // records the NoData its raster kind asks for.
    void expect_pixels_of_plain_and_nodata(const fs::path& path, const std::string& name) const
    {
        expect_same_image(plain_->scene.out() / name, path);
        const raster_file file(path);
        EXPECT_EQ(nodata_of(path), expected_nodata(name, file.type(1)));
    }
};

} // namespace

TEST_F(GeotiffProfile, EveryFamilyIsWrittenAndPlainHasNoNodata)
{
    const auto& tifs = plain_->tifs;
    EXPECT_TRUE(ends_with_any(tifs, "hourly_PRC.tif"));
    EXPECT_TRUE(ends_with_any(tifs, "_N.tif")) << "no polar file";
    EXPECT_TRUE(ends_with_any(tifs, ".proj.tif")) << "no swath window";
    EXPECT_TRUE(std::any_of(tifs.begin(), tifs.end(), [](const std::string& n) { return n.starts_with("bt_"); }));
    for (const auto& name : tifs) {
        EXPECT_FALSE(nodata_of(plain_->scene.out() / name)) << name;
        EXPECT_EQ(structure(*open(plain_->scene.out() / name), "COMPRESSION"), "") << name;
    }
}

TEST_F(GeotiffProfile, PlainAskedByNameWritesTheDefaultBytes)
{
    const auto run = run_with({"--geotiff-profile", "plain"});
    ASSERT_EQ(run->tifs, plain_->tifs);
    for (const auto& name : run->tifs) {
        EXPECT_TRUE(bytes_of(run->scene.out() / name) == bytes_of(plain_->scene.out() / name)) << name;
    }
}

TEST_F(GeotiffProfile, PlainWithNodataRecordsItAndKeepsEveryPixel)
{
    const auto run = run_with({"--nodata"});
    ASSERT_EQ(run->tifs, plain_->tifs);
    for (const auto& name : run->tifs) {
        SCOPED_TRACE(name);
        expect_pixels_of_plain_and_nodata(run->scene.out() / name, name);
    }
}

TEST_F(GeotiffProfile, CompressedIsTiledDeflateWithNodataAndThePixelsOfPlain)
{
    const auto run = run_with({"--geotiff-profile", "compressed"});
    ASSERT_EQ(run->result.status, 0) << run->result.out << run->result.err;
    ASSERT_EQ(run->tifs, plain_->tifs);
    for (const auto& name : run->tifs) {
        SCOPED_TRACE(name);
        const fs::path path = run->scene.out() / name;
        expect_pixels_of_plain_and_nodata(path, name);
        const auto ds = open(path);
        ASSERT_TRUE(ds);
        EXPECT_EQ(structure(*ds, "COMPRESSION"), "DEFLATE");
        int bx = 0;
        int by = 0;
        ds->GetRasterBand(1)->GetBlockSize(&bx, &by);
        EXPECT_EQ(bx, 512);
        EXPECT_EQ(by, 512);
        EXPECT_LT(fs::file_size(path), fs::file_size(plain_->scene.out() / name));
    }
}

TEST_F(GeotiffProfile, CompressedWithoutNodataRecordsNone)
{
    const auto run = run_with({"--geotiff-profile=compressed", "--no-nodata"});
    ASSERT_EQ(run->tifs, plain_->tifs);
    for (const auto& name : run->tifs) EXPECT_FALSE(nodata_of(run->scene.out() / name)) << name;
}

TEST_F(GeotiffProfile, CogPassesGdalsValidationWithOverviewsAndThePixelsOfPlain)
{
    const auto run = run_with({"--geotiff-profile", "cog"});
    ASSERT_EQ(run->result.status, 0) << run->result.out << run->result.err;
    ASSERT_EQ(run->tifs, plain_->tifs);
    for (const auto& name : run->tifs) {
        SCOPED_TRACE(name);
        const fs::path path = run->scene.out() / name;
        expect_pixels_of_plain_and_nodata(path, name);
        EXPECT_EQ(cog_validation(path), 0);
        const auto ds = open(path);
        ASSERT_TRUE(ds);
        EXPECT_EQ(structure(*ds, "LAYOUT"), "COG");
        EXPECT_EQ(structure(*ds, "COMPRESSION"), "DEFLATE");
        GDALRasterBand* band = ds->GetRasterBand(1);
        const bool large = ds->GetRasterXSize() > 512 || ds->GetRasterYSize() > 512;
        EXPECT_EQ(band->GetOverviewCount() > 0, large);
    }
}

TEST(GeotiffProfileOption, AnUnknownProfileIsBadUsage)
{
    cli_scene scene;
    const auto r = scene.run({"--geotiff-profile", "zip", scene.product("GSMAP_HOURLY", "h.h5")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--geotiff-profile needs plain, compressed or cog"), std::string::npos) << r.err;
}

} // namespace vardane
