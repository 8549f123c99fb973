#include "output/gdal_session.h"

#include <filesystem>
#include <mutex>
#include <system_error>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

namespace gdal_session {

namespace {

// Used when PROJ's database is unavailable and EPSG:4326 cannot be built.
constexpr const char* kWgs84Fallback =
    "GEOGCS[\"WGS 84\", DATUM[\"WGS_1984\", SPHEROID[\"WGS 84\", 6378137, 298.257223563, "
    "AUTHORITY[\"EPSG\", \"7030\"]], AUTHORITY[\"EPSG\", \"6326\"]], PRIMEM[\"Greenwich\", 0, "
    "AUTHORITY[\"EPSG\", \"8901\"]], UNIT[\"degree\", 0.0174532925199433, AUTHORITY[\"EPSG\", "
    "\"9122\"]], AUTHORITY[\"EPSG\", \"4326\"]]";

constexpr const char* kDataOptions[] = {"GDAL_DATA", "PROJ_LIB", "GEOTIFF_CSV"};

} // namespace

GDALDriver* gtiff_driver()
{
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    return GetGDALDriverManager()->GetDriverByName("GTiff");
}

void use_local_gdal_data()
{
    // Remember whether we set the options, so that a folder that disappears
    // between runs does not leave GDAL pointing at nothing.
    static bool applied = false;
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec).parent_path() / "gdal-data";
    const bool present = !ec && std::filesystem::is_directory(dir, ec);
    if (present) {
        const std::string value = dir.string();
        for (const char* key : kDataOptions) CPLSetConfigOption(key, value.c_str());
        applied = true;
    } else if (applied) {
        for (const char* key : kDataOptions) CPLSetConfigOption(key, nullptr);
        applied = false;
    }
}

std::string wgs84_wkt()
{
    OGRSpatialReference srs;
    std::string text;
    if (srs.SetFromUserInput("EPSG:4326") == OGRERR_NONE) {
        char* wkt = nullptr;
        if (srs.exportToWkt(&wkt) == OGRERR_NONE && wkt != nullptr) text = wkt;
        CPLFree(wkt);
    }
    return text.empty() ? std::string(kWgs84Fallback) : text;
}

void dataset_closer::operator()(GDALDataset* ds) const { GDALClose(GDALDataset::ToHandle(ds)); }

dataset_ptr create_gtiff(const std::string& name, int width, int height, int bands, int gdalType)
{
    GDALDriver* driver = gtiff_driver();
    if (driver == nullptr || name.empty()) return nullptr;
    return dataset_ptr(driver->Create(name.c_str(), width, height, bands, GDALDataType(gdalType), nullptr));
}

bool close(dataset_ptr& ds)
{
    if (!ds) return false;
    CPLErrorReset();
    ds->FlushCache(false);
    ds.reset();
    return CPLGetLastErrorType() != CE_Failure && CPLGetLastErrorType() != CE_Fatal;
}

} // namespace gdal_session
