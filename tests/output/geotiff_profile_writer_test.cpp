// The GeoTIFF profiles applied to a plain file as a writer leaves it: values,
// georeference and NoData kept or recorded, tiles, compression and overviews
// as the profile says, and overviews that never blend codes.
#include <cstring>
#include <fstream>
#include <iterator>
#include <filesystem>
#include <set>
#include <vector>

#include "output/gdal_session.h"
#include "output/geotiff_profile_writer.h"
#include "output/output_test_support.h"

namespace vardane {

namespace {

using output_test::temp_dir;

constexpr int kSide = 1100; // more than two tiles: the cog gets overviews

// A plain strip GeoTIFF of Byte stripes 0 / 200, one column each, in WGS 84.
void write_stripes(const std::string& path)
{
    auto ds = gdal_session::create_gtiff(path, kSide, kSide, 1, GDT_Byte);
    ASSERT_TRUE(ds);
    const double gt[6] = {-10.0, 0.01, 0.0, 5.0, 0.0, -0.01};
    ASSERT_EQ(ds->SetGeoTransform(const_cast<double*>(gt)), CE_None);
    ASSERT_EQ(ds->SetProjection(gdal_session::kWgs84Wkt), CE_None);
    std::vector<std::uint8_t> row(kSide);
    for (int c = 0; c < kSide; ++c) row[std::size_t(c)] = c % 2 == 0 ? 0 : 200;
    for (int r = 0; r < kSide; ++r) {
        ASSERT_EQ(
            ds->GetRasterBand(1)->RasterIO(GF_Write, 0, r, kSide, 1, row.data(), kSide, 1, GDT_Byte, 0, 0, nullptr),
            CE_None);
    }
    ASSERT_TRUE(gdal_session::close(ds));
}

gdal_session::dataset_ptr open(const std::string& path)
{
    return gdal_session::dataset_ptr(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
}

std::vector<std::uint8_t> pixels(GDALRasterBand& band)
{
    std::vector<std::uint8_t> v(std::size_t(band.GetXSize()) * std::size_t(band.GetYSize()));
    EXPECT_EQ(band.RasterIO(GF_Read, 0, 0, band.GetXSize(), band.GetYSize(), v.data(), band.GetXSize(), band.GetYSize(),
                            GDT_Byte, 0, 0, nullptr),
              CE_None);
    return v;
}

std::string structure(GDALDataset& ds, const char* key)
{
    const char* v = ds.GetMetadataItem(key, "IMAGE_STRUCTURE");
    return v ? v : "";
}

struct profiled {
    temp_dir dir;
    std::string plain = dir.file("plain.tif");
    std::string path = dir.file("out.tif");
};

void make(profiled& p, const geotiff_finish& how)
{
    write_stripes(p.plain);
    std::filesystem::copy_file(p.plain, p.path);
    std::string cause;
    ASSERT_TRUE(finish_geotiff(p.path, how, cause)) << cause << " " << geotiff_profile_name(how.profile);
    EXPECT_FALSE(std::filesystem::exists(p.path + ".profile"));
}

} // namespace

TEST(GeotiffProfileWriter, PlainWithoutNodataLeavesTheFileAsItWas)
{
    profiled p;
    make(p, geotiff_finish{});
    std::ifstream a(p.plain, std::ios::binary);
    std::ifstream b(p.path, std::ios::binary);
    const std::string bytesA((std::istreambuf_iterator<char>(a)), {});
    const std::string bytesB((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(bytesA, bytesB);
}

TEST(GeotiffProfileWriter, EveryProfileKeepsPixelsAndGeoreferenceAndRecordsNodataWhenAsked)
{
    for (const geotiff_profile profile : {geotiff_profile::plain, geotiff_profile::compressed, geotiff_profile::cog}) {
        SCOPED_TRACE(std::string(geotiff_profile_name(profile)));
        profiled p;
        make(p, geotiff_finish{profile, 200.0, false});
        const auto before = open(p.plain);
        const auto after = open(p.path);
        ASSERT_TRUE(before && after);
        EXPECT_EQ(pixels(*before->GetRasterBand(1)), pixels(*after->GetRasterBand(1)));
        double a[6];
        double b[6];
        ASSERT_EQ(before->GetGeoTransform(a), CE_None);
        ASSERT_EQ(after->GetGeoTransform(b), CE_None);
        EXPECT_EQ(std::memcmp(a, b, sizeof a), 0);
        EXPECT_STREQ(before->GetProjectionRef(), after->GetProjectionRef());
        int has = 0;
        EXPECT_EQ(after->GetRasterBand(1)->GetNoDataValue(&has), 200.0);
        EXPECT_TRUE(has);

        int bx = 0;
        int by = 0;
        after->GetRasterBand(1)->GetBlockSize(&bx, &by);
        if (profile == geotiff_profile::plain) {
            EXPECT_EQ(structure(*after, "COMPRESSION"), "");
            EXPECT_EQ(bx, kSide); // strips, as written
            continue;
        }
        EXPECT_EQ(structure(*after, "COMPRESSION"), kProfileCompression);
        EXPECT_EQ(bx, kProfileTile);
        EXPECT_EQ(by, kProfileTile);
        EXPECT_EQ(structure(*after, "LAYOUT"), profile == geotiff_profile::cog ? "COG" : "");
        EXPECT_EQ(after->GetRasterBand(1)->GetOverviewCount() > 0, profile == geotiff_profile::cog);
        EXPECT_LT(std::filesystem::file_size(p.path), std::filesystem::file_size(p.plain) / 10);
    }
}

// Stripes 0 / 200 averaged give 100, a code that is in no pixel; picked,
// every overview pixel is one of the two.
TEST(GeotiffProfileWriter, CogOverviewsPickCodesAndAverageMeasurements)
{
    for (const bool codes : {true, false}) {
        SCOPED_TRACE(codes ? "codes" : "measurements");
        profiled p;
        make(p, geotiff_finish{geotiff_profile::cog, std::nullopt, codes});
        const auto ds = open(p.path);
        ASSERT_TRUE(ds);
        int has = 1;
        ds->GetRasterBand(1)->GetNoDataValue(&has);
        EXPECT_FALSE(has);
        GDALRasterBand* overview = ds->GetRasterBand(1)->GetOverview(0);
        ASSERT_NE(overview, nullptr);
        const auto values = pixels(*overview);
        const std::set<std::uint8_t> seen(values.begin(), values.end());
        if (codes) {
            for (const std::uint8_t v : seen) EXPECT_TRUE(v == 0 || v == 200) << int(v);
        } else {
            EXPECT_TRUE(seen.count(100)) << "no averaged pixel";
        }
    }
}

TEST(GeotiffProfileWriter, AFileThatCannotBeReadIsAFailureWithACauseAndLeavesNothing)
{
    temp_dir dir;
    const std::string path = dir.file("broken.tif");
    {
        std::ofstream out(path);
        out << "not a tiff";
    }
    std::string cause;
    EXPECT_FALSE(finish_geotiff(path, geotiff_finish{geotiff_profile::cog, std::nullopt, false}, cause));
    EXPECT_FALSE(cause.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".profile"));
}

} // namespace vardane
