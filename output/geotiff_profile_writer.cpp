#include "output/geotiff_profile_writer.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include <cpl_conv.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "output/gdal_session.h"
#include "output/guarded_vsi.h"
#include "output/partial_file.h"
#include "output/write_failure.h"

namespace vardane {

namespace {

namespace fs = std::filesystem;

bool is_float(GDALDataType type) { return type == GDT_Float32 || type == GDT_Float64; }

// Creation options of a compressed or COG file: 512 x 512 tiles, the
// compression, and the predictor that suits the samples (horizontal
// differencing for integers, floating point for floats). Tiles are
// compressed on every processor: compression is most of the cost of these
// profiles, and the tiles come out the same on any number of threads.
CPLStringList profile_options(const geotiff_finish& how, GDALDataType type)
{
    CPLStringList options;
    const std::string tile = std::to_string(kProfileTile);
    options.SetNameValue("COMPRESS", kProfileCompression);
    options.SetNameValue("NUM_THREADS", "ALL_CPUS");
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

GDALDriver* cog_driver() { return GetGDALDriverManager()->GetDriverByName("COG"); }

// The overviews of a raster held in memory, made there before the COG
// driver copies it: otherwise the driver writes them to a temporary file
// beside the output and reads them back. Levels halve the raster until it
// fits one tile, as the driver chooses them; codes keep their values.
bool build_memory_overviews(GDALDataset& mem, const geotiff_finish& how)
{
    std::vector<int> factors;
    for (int factor = 2;; factor *= 2) {
        const int width = (mem.GetRasterXSize() + factor / 2 - 1) / (factor / 2);
        const int height = (mem.GetRasterYSize() + factor / 2 - 1) / (factor / 2);
        if (width <= kProfileTile && height <= kProfileTile) break;
        factors.push_back(factor);
    }
    if (factors.empty()) return true;
    return mem.BuildOverviews(how.codes ? "NEAREST" : "AVERAGE", static_cast<int>(factors.size()), factors.data(), 0,
                              nullptr, nullptr, nullptr)
           == CE_None;
}

// Copies source into a new file at path through driver, replacing nothing:
// the caller has checked there is none, or moves the result over it.
bool copy_to(GDALDriver& driver, GDALDataset& source, const std::string& path, const geotiff_finish& how)
{
    keep_reference_system(source);
    const CPLStringList options = profile_options(how, source.GetRasterBand(1)->GetRasterDataType());
    gdal_session::dataset_ptr target(
        driver.CreateCopy(guarded_gdal_name(path).c_str(), &source, FALSE, options.List(), nullptr, nullptr));
    return target && gdal_session::close(target);
}

} // namespace

geotiff_sink::geotiff_sink(std::string path, geotiff_finish how) : path_(std::move(path)), how_(std::move(how)) {}

GDALDataset* geotiff_sink::create(int width, int height, int bands, int gdalType)
{
    ds_.reset();
    over_ = false;
    CPLErrorReset();
    const auto type = GDALDataType(gdalType);
    if (how_.profile == geotiff_profile::cog) {
        GDALDriver* mem = GetGDALDriverManager()->GetDriverByName("MEM");
        if (gdal_session::gtiff_driver() == nullptr || mem == nullptr || cog_driver() == nullptr) return nullptr;
        ds_.reset(mem->Create("", width, height, bands, type, nullptr));
    } else if (how_.profile == geotiff_profile::compressed) {
        const CPLStringList options = profile_options(how_, type);
        ds_ = gdal_session::create_gtiff(path_, width, height, bands, gdalType, options.List());
    } else {
        ds_ = gdal_session::create_gtiff(path_, width, height, bands, gdalType);
    }
    if (ds_ && how_.nodata && !set_nodata(*ds_, *how_.nodata)) {
        ds_.reset();
        discard_partial_file(path_);
    }
    return ds_.get();
}

GDALDataset* geotiff_sink::create_over(const void* samples, int width, int height, int gdalType)
{
    if (how_.profile != geotiff_profile::cog) return create(width, height, 1, gdalType);
    ds_.reset();
    GDALDriver* mem = GetGDALDriverManager()->GetDriverByName("MEM");
    if (gdal_session::gtiff_driver() == nullptr || mem == nullptr || cog_driver() == nullptr) return nullptr;
    const auto type = GDALDataType(gdalType);
    ds_.reset(mem->Create("", width, height, 0, type, nullptr));
    if (!ds_) return nullptr;
    char pointer[64] = {};
    CPLPrintPointer(pointer, const_cast<void*>(samples), sizeof pointer);
    CPLStringList band;
    band.SetNameValue("DATAPOINTER", pointer);
    if (ds_->AddBand(type, band.List()) != CE_None || (how_.nodata && !set_nodata(*ds_, *how_.nodata))) {
        ds_.reset();
        return nullptr;
    }
    over_ = true;
    return ds_.get();
}

bool geotiff_sink::close()
{
    if (!ds_) return false;
    if (how_.profile != geotiff_profile::cog) {
        if (gdal_session::close(ds_)) return true;
        discard_partial_file(path_);
        return false;
    }
    // The in-memory raster was only read; its closing says nothing.
    const bool written = build_memory_overviews(*ds_, how_) && copy_to(*cog_driver(), *ds_, path_, how_);
    ds_.reset();
    over_ = false;
    if (!written) discard_partial_file(path_);
    return written;
}

void geotiff_sink::discard()
{
    ds_.reset();
    over_ = false;
    discard_partial_file(path_);
}

bool finish_geotiff(const std::string& path, const geotiff_finish& how, std::string& cause)
{
    if (how.profile == geotiff_profile::plain && !how.nodata) return true;
    const bool cog = how.profile == geotiff_profile::cog;
    GDALDriver* gtiff = gdal_session::gtiff_driver();
    GDALDriver* driver = cog ? cog_driver() : gtiff;
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

    const std::string copy = path + ".profile";
    const bool copied = copy_to(*driver, *source, copy, how);
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
