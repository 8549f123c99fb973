#include "output/gdal_session.h"

#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_frmts.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "output/guarded_file.h"
#include "output/guarded_vsi.h"
#include "output/partial_file.h"
#include "util/program_dir.h"

namespace vardane {

namespace gdal_session {

namespace {

constexpr const char* kDataOptions[] = {"GDAL_DATA", "PROJ_LIB", "GEOTIFF_CSV"};

// A "gdal-data" folder shipped beside the program takes the place of
// GDAL's and PROJ's own data; without one the system's data serve.
void use_program_gdal_data()
{
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::path(getCurrentDir()) / "gdal-data";
    if (!std::filesystem::is_directory(dir, ec)) return;
    const std::string value = dir.string();
    for (const char* key : kDataOptions) CPLSetConfigOption(key, value.c_str());
}

} // namespace

GDALDriver* gtiff_driver()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        use_program_gdal_data();
        // Only the drivers the writers use: registering all of GDAL's
        // costs each process some 10 ms and several megabytes.
        GDALRegister_GTiff();
        GDALRegister_MEM();
        GDALRegister_VRT();
        // The cog profile's writer.
        GDALRegister_COG();
        // Parsing the text every writer sets opens PROJ's database, whose
        // connection PROJ then shares with every thread. It is done here,
        // once, so that a background warm-up and a first writer wait for
        // one opening instead of each making its own.
        OGRSpatialReference wgs84;
        wgs84.importFromWkt(kWgs84Wkt);
    });
    return GetGDALDriverManager()->GetDriverByName("GTiff");
}

std::string wgs84_wkt() { return kWgs84Wkt; }

warm_up::warm_up()
{
    try {
        thread_ = std::thread([] { gtiff_driver(); });
    } catch (const std::system_error&) {
        // Without a thread the first writer does the same work itself.
    }
}

warm_up::~warm_up()
{
    if (thread_.joinable()) thread_.join();
}

void dataset_closer::operator()(GDALDataset* ds) const { GDALClose(GDALDataset::ToHandle(ds)); }

namespace {

std::uint64_t uncompressed_size(int width, int height, int bands, int gdalType)
{
    const auto sample = static_cast<std::uint64_t>(GDALGetDataTypeSizeBytes(GDALDataType(gdalType)));
    return std::uint64_t(width > 0 ? width : 0) * std::uint64_t(height > 0 ? height : 0)
               * std::uint64_t(bands > 0 ? bands : 0) * sample
           + kTiffHeaderRoom;
}

} // namespace

dataset_ptr create_gtiff(const std::string& name, int width, int height, int bands, int gdalType,
                         const char* const* options)
{
    GDALDriver* driver = gtiff_driver();
    if (driver == nullptr || name.empty()) return nullptr;
    // A file that cannot fit is not begun; the guarded file catches what
    // this estimate misses (another writer filling the disk meanwhile, or
    // compressed tiles that turn out larger than nothing).
    std::string why;
    const std::string folder = std::filesystem::path(name).parent_path().string();
    const std::uint64_t bytes = options == nullptr ? uncompressed_size(width, height, bands, gdalType) : 0;
    if (!has_room_for(folder, bytes, why)) {
        CPLError(CE_Failure, CPLE_FileIO, "%s: %s", name.c_str(), why.c_str());
        return nullptr;
    }
    const std::string guarded = guarded_gdal_name(name);
    dataset_ptr ds(driver->Create(guarded.c_str(), width, height, bands, GDALDataType(gdalType), options));
    // A header that could not be written leaves an empty file behind.
    if (!ds) discard_partial_file(name);
    return ds;
}

bool close(dataset_ptr& ds)
{
    if (!ds) return false;
    const std::string path = unguarded_path(ds->GetDescription());
    // The close is judged by its own errors; a failure met before it (a
    // band that could not be written) stays the one the writer reports.
    const CPLErr earlierType = CPLGetLastErrorType();
    const CPLErrorNum earlierNumber = CPLGetLastErrorNo();
    const std::string earlierMessage = CPLGetLastErrorMsg();
    CPLErrorReset();
    ds->FlushCache(false);
    ds.reset();
    const bool libraryOk = CPLGetLastErrorType() != CE_Failure && CPLGetLastErrorType() != CE_Fatal;
    if (libraryOk && earlierType != CE_None) CPLErrorSetState(earlierType, earlierNumber, earlierMessage.c_str());
    // The disk's words stay for the writer to report (library_cause).
    return !has_write_failure(path) && libraryOk;
}

} // namespace gdal_session

} // namespace vardane
