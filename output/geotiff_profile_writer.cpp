#include "output/geotiff_profile_writer.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "output/gdal_session.h"
#include "output/write_failure.h"

namespace vardane {

namespace {

namespace fs = std::filesystem;

bool is_float(GDALDataType type) { return type == GDT_Float32 || type == GDT_Float64; }

// Creation options of the copy: 512 x 512 tiles, the compression, and the
// predictor that suits the samples (horizontal differencing for integers,
// floating point for floats).
CPLStringList copy_options(const geotiff_finish& how, GDALDataType type)
{
    CPLStringList options;
    const std::string tile = std::to_string(kProfileTile);
    options.SetNameValue("COMPRESS", kProfileCompression);
    if (how.profile == geotiff_profile::cog) {
        options.SetNameValue("BLOCKSIZE", tile.c_str());
        options.SetNameValue("PREDICTOR", is_float(type) ? "FLOATING_POINT" : "STANDARD");
        // Codes must keep their values on every overview level.
        options.SetNameValue("OVERVIEW_RESAMPLING", how.codes ? "NEAREST" : "AVERAGE");
    } else {
        options.SetNameValue("TILED", "YES");
        options.SetNameValue("BLOCKXSIZE", tile.c_str());
        options.SetNameValue("BLOCKYSIZE", tile.c_str());
        options.SetNameValue("PREDICTOR", is_float(type) ? "3" : "2");
    }
    return options;
}

bool set_nodata(GDALDataset& ds, double value)
{
    for (int k = 1; k <= ds.GetRasterCount(); ++k) {
        if (ds.GetRasterBand(k)->SetNoDataValue(value) != CE_None) return false;
    }
    return true;
}

// GDAL writes a reference system by its EPSG code alone, and reads a
// deprecated code as its successor: the polar grids' EPSG:3411 (Hughes 1980
// ellipsoid) would come back as EPSG:3413 (WGS 84). Such a system is given
// to the copy without its code, so that it is written by its parameters.
void keep_reference_system(GDALDataset& source)
{
    const OGRSpatialReference* srs = source.GetSpatialRef();
    if (srs == nullptr) return;
    const char* authority = srs->GetAuthorityName(nullptr);
    const char* code = srs->GetAuthorityCode(nullptr);
    if (authority == nullptr || code == nullptr || !EQUAL(authority, "EPSG")) return;
    OGRSpatialReference byCode;
    if (byCode.importFromEPSG(std::atoi(code)) == OGRERR_NONE && byCode.IsSame(srs)) return;
    OGRSpatialReference bare(*srs);
    OGR_SRSNode* root = bare.GetRoot();
    if (root == nullptr) return;
    const int at = root->FindChild("AUTHORITY");
    if (at >= 0) root->DestroyChild(at);
    source.SetSpatialRef(&bare);
}

bool fail(const std::string& path, std::string& cause)
{
    cause = library_cause(path);
    if (cause.empty()) cause = write_cause::kNotWritten;
    std::error_code ec;
    fs::remove(path, ec);
    return false;
}

} // namespace

bool finish_geotiff(const std::string& path, const geotiff_finish& how, std::string& cause)
{
    if (how.profile == geotiff_profile::plain && !how.nodata) return true;
    const bool cog = how.profile == geotiff_profile::cog;
    GDALDriver* gtiff = gdal_session::gtiff_driver();
    GDALDriver* driver = cog ? GetGDALDriverManager()->GetDriverByName("COG") : gtiff;
    if (driver == nullptr) {
        std::error_code ec;
        fs::remove(path, ec);
        cause = cog ? "GDAL has no COG driver" : write_cause::kNoGtiff;
        return false;
    }
    CPLErrorReset();
    gdal_session::dataset_ptr source(
        GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_UPDATE, nullptr, nullptr, nullptr));
    if (!source || source->GetRasterCount() < 1) return fail(path, cause);
    if (how.nodata && !set_nodata(*source, *how.nodata)) return fail(path, cause);
    if (how.profile == geotiff_profile::plain) return gdal_session::close(source) || fail(path, cause);

    keep_reference_system(*source);
    const std::string copy = path + ".profile";
    const CPLStringList options = copy_options(how, source->GetRasterBand(1)->GetRasterDataType());
    gdal_session::dataset_ptr target(
        driver->CreateCopy(copy.c_str(), source.get(), FALSE, options.List(), nullptr, nullptr));
    const bool copied = target && gdal_session::close(target);
    // The source was only read; whatever it says on closing does not matter.
    source.reset();
    std::error_code ec;
    if (!copied) {
        fs::remove(copy, ec);
        return fail(path, cause);
    }
    fs::rename(copy, path, ec);
    if (ec) {
        fs::remove(copy, ec);
        cause = ec.message();
        fs::remove(path, ec);
        return false;
    }
    return true;
}

} // namespace vardane
