#include "batch/geotiff_mosaic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>

#include <gdal_priv.h>
#include <gdal_utils.h>

#include "output/gdal_session.h"
#include "util/number_text.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

// What files must share to lie in one VRT without resampling.
struct grid {
    int width = 0;
    int height = 0;
    int bands = 0;
    GDALDataType type = GDT_Unknown;
    std::array<double, 6> transform{};
    std::string crs;
    std::optional<double> nodata;

    bool operator==(const grid& other) const
    {
        // NaN (the floats' NoData) equals itself here.
        const auto sameNodata = [](const std::optional<double>& a, const std::optional<double>& b) {
            if (!a || !b) return a.has_value() == b.has_value();
            return *a == *b || (std::isnan(*a) && std::isnan(*b));
        };
        return width == other.width && height == other.height && bands == other.bands && type == other.type
               && transform == other.transform && crs == other.crs && sameNodata(nodata, other.nodata);
    }
};

// Without a recorded NoData: the value the swath grids fill their empty
// cells with, by sample type (GDAL's types of the raster kinds).
std::optional<double> fallback_nodata(GDALDataType type)
{
    switch (type) {
    case GDT_Int16: return -32768.0;
    case GDT_Byte: return 255.0;
    case GDT_UInt16: return 65535.0;
    case GDT_Float32:
    case GDT_Float64: return std::numeric_limits<double>::quiet_NaN();
    default: return std::nullopt;
    }
}

std::string gdal_words(const char* fallback)
{
    const std::string said = CPLGetLastErrorMsg();
    return said.empty() ? fallback : said;
}

// The grid of a GeoTIFF; a failure when GDAL cannot read it.
std::optional<grid> grid_of(const std::string& path, failure& why)
{
    CPLErrorReset();
    const gdal_session::dataset_ptr ds(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!ds || ds->GetRasterCount() < 1) {
        why = failure{path, gdal_words("cannot be read")};
        return std::nullopt;
    }
    grid g;
    g.width = ds->GetRasterXSize();
    g.height = ds->GetRasterYSize();
    g.bands = ds->GetRasterCount();
    GDALRasterBand* band = ds->GetRasterBand(1);
    g.type = band->GetRasterDataType();
    if (ds->GetGeoTransform(g.transform.data()) != CE_None) g.transform = {};
    g.crs = ds->GetProjectionRef();
    int recorded = 0;
    const double value = band->GetNoDataValue(&recorded);
    g.nodata = recorded ? std::optional<double>(value) : fallback_nodata(g.type);
    return g;
}

// The output name in a GeoTIFF's file name: "<input base>_<name>.tif" or
// "<input base>_<name><window>.proj.tif" gives "<name>" or "<name><window>".
std::string output_name_of(const run_geotiff& file)
{
    std::string name = fs::path(file.path).filename().string();
    const std::string prefix = file.inputBase + "_";
    if (!file.inputBase.empty() && name.size() > prefix.size() && name.starts_with(prefix))
        name.erase(0, prefix.size());
    for (const std::string extension : {".tif", ".proj"}) {
        if (name.size() > extension.size() && name.ends_with(extension)) name.resize(name.size() - extension.size());
    }
    return name;
}

std::string nodata_text(double value)
{
    if (std::isnan(value)) return "nan";
    return format_general(value, 17);
}

// GDAL's words go into the failure the log reports, not onto standard
// error besides.
class quiet_gdal {
public:
    quiet_gdal() { CPLPushErrorHandler(CPLQuietErrorHandler); }
    ~quiet_gdal() { CPLPopErrorHandler(); }
    quiet_gdal(const quiet_gdal&) = delete;
    quiet_gdal& operator=(const quiet_gdal&) = delete;
};

struct gdal_options_free {
    void operator()(GDALBuildVRTOptions* options) const { GDALBuildVRTOptionsFree(options); }
};

} // namespace

std::vector<mosaic_plan> plan_mosaics(const std::vector<run_geotiff>& geotiffs, const std::string& folder)
{
    gdal_session::gtiff_driver(); // registers the drivers once
    const quiet_gdal quiet;
    std::error_code ec;
    const fs::path into = fs::absolute(folder, ec);
    struct group {
        std::string name;
        grid where;
        mosaic_plan plan;
    };
    std::vector<group> groups;
    std::vector<mosaic_plan> unreadable;
    for (const auto& file : geotiffs) {
        const std::string name = output_name_of(file);
        failure why;
        const auto g = grid_of(file.path, why);
        if (!g) {
            mosaic_plan failed;
            failed.vrt = (into / (name + "_mosaic.vrt")).string();
            failed.files.push_back(file.path);
            failed.why = why;
            unreadable.push_back(std::move(failed));
            continue;
        }
        auto it = std::find_if(groups.begin(), groups.end(),
                               [&](const group& other) { return other.name == name && other.where == *g; });
        if (it == groups.end()) {
            groups.push_back({name, *g, {}});
            it = std::prev(groups.end());
            it->plan.nodata = g->nodata;
        }
        it->plan.files.push_back(file.path);
    }

    std::map<std::string, int> gridsOfName;
    for (const auto& g : groups) ++gridsOfName[g.name];
    std::map<std::string, int> numbered;
    std::vector<mosaic_plan> plans;
    for (auto& g : groups) {
        std::string vrt = g.name + "_mosaic";
        if (gridsOfName[g.name] > 1) vrt += "_" + std::to_string(++numbered[g.name]);
        g.plan.vrt = (into / (vrt + ".vrt")).string();
        plans.push_back(std::move(g.plan));
    }
    plans.insert(plans.end(), std::make_move_iterator(unreadable.begin()), std::make_move_iterator(unreadable.end()));
    return plans;
}

failure write_mosaic(const mosaic_plan& plan)
{
    if (plan.why.failed()) return plan.why;
    gdal_session::gtiff_driver();
    const quiet_gdal quiet;
    CPLStringList args;
    if (plan.nodata) {
        // The files' empty cells let the ones beneath show; the mosaic's
        // own empty cells are NoData to whoever reads it.
        const std::string value = nodata_text(*plan.nodata);
        args.AddString("-srcnodata");
        args.AddString(value.c_str());
        args.AddString("-vrtnodata");
        args.AddString(value.c_str());
    }
    const std::unique_ptr<GDALBuildVRTOptions, gdal_options_free> options(GDALBuildVRTOptionsNew(args.List(), nullptr));
    CPLStringList sources;
    for (const auto& file : plan.files) sources.AddString(file.c_str());
    CPLErrorReset();
    int usageError = 0;
    gdal_session::dataset_ptr vrt(GDALDataset::FromHandle(
        GDALBuildVRT(plan.vrt.c_str(), sources.size(), nullptr, sources.List(), options.get(), &usageError)));
    // GDALBuildVRT refuses, or the VRT's text cannot be written at close.
    failure why;
    if (!vrt || !gdal_session::close(vrt)) why = failure{plan.vrt, gdal_words("not written")};
    if (why.failed()) {
        std::error_code ec;
        fs::remove(plan.vrt, ec);
    }
    return why;
}

} // namespace vardane
