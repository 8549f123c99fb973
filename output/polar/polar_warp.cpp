#include "output/polar/polar_warp.h"

#include <memory>
#include <vector>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_priv.h>
#include <gdal_utils.h>
#include <ogr_spatialref.h>

#include "output/gdal_session.h"
#include "output/guarded_vsi.h"
#include "output/temporary_files.h"

namespace vardane {

namespace {

// WKT of a PROJ definition; empty when PROJ does not understand it.
std::string wkt_of(const char* projDefinition)
{
    OGRSpatialReference srs;
    if (srs.importFromProj4(projDefinition) != OGRERR_NONE) return {};
    char* text = nullptr;
    std::string wkt;
    if (srs.exportToWkt(&text) == OGRERR_NONE && text != nullptr) wkt = text;
    CPLFree(text);
    return wkt;
}

std::string number(double v) { return CPLSPrintf("%.17g", v); }

// Command-line arguments of the warp, as the warp utility takes them. The
// utility's own error threshold stays: positions between exactly projected
// points are interpolated to within an eighth of a pixel, which halves the
// cost of the warp and cannot move a nearest-neighbour sample by a pixel.
std::vector<std::string> warp_arguments(const std::string& targetWkt, const warp_extent_t& e, const char* format)
{
    std::vector<std::string> args = {"-of", format, "-t_srs", targetWkt, "-r", "near", "-q"};
    if (e.minX != 0 || e.minY != 0 || e.maxX != 0 || e.maxY != 0) {
        args.insert(args.end(), {"-te", number(e.minX), number(e.minY), number(e.maxX), number(e.maxY)});
    }
    if (e.resX != 0 && e.resY != 0) args.insert(args.end(), {"-tr", number(e.resX), number(e.resY)});
    if (e.targetAlignedPixels != 0) args.push_back("-tap");
    if (e.forcedWidth != 0 || e.forcedHeight != 0) {
        args.insert(args.end(), {"-ts", std::to_string(e.forcedWidth), std::to_string(e.forcedHeight)});
    }
    if (e.srcAlpha != 0) args.push_back("-srcalpha");
    if (e.destAlpha != 0) args.push_back("-dstalpha");
    return args;
}

} // namespace

std::vector<hemisphere> hemispheres_of(std::int32_t mode, const std::string& north, const std::string& south)
{
    std::vector<hemisphere> wanted;
    if (mode != 2) wanted.push_back({true, north});
    if (mode != 1) wanted.push_back({false, south});
    return wanted;
}

warp_options_ptr make_warp_options(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    warp_options_ptr options(GDALWarpAppOptionsNew(argv.data(), nullptr));
    if (options) GDALWarpAppOptionsSetProgress(options.get(), nullptr, nullptr);
    return options;
}

gdal_session::dataset_ptr warp_dataset(GDALDataset& source, const std::string& destination, const char* projDefinition,
                                       const warp_extent_t& extent)
{
    if (gdal_session::gtiff_driver() == nullptr || source.GetRasterCount() < 1) return nullptr;
    const std::string targetWkt = wkt_of(projDefinition);
    if (targetWkt.empty()) return nullptr;
    const bool inMemory = destination.empty();
    const warp_options_ptr options = make_warp_options(warp_arguments(targetWkt, extent, inMemory ? "MEM" : "GTiff"));
    if (!options) return nullptr;

    // The warp would otherwise write into an existing file of that name.
    if (!inMemory) remove_if_file(destination);
    CPLErrorReset();
    GDALDatasetH srcHandle = GDALDataset::ToHandle(&source);
    int usageError = 0;
    gdal_session::dataset_ptr out(GDALDataset::FromHandle(GDALWarp(
        inMemory ? "" : guarded_gdal_name(destination).c_str(), nullptr, 1, &srcHandle, options.get(), &usageError)));
    if (out && usageError == 0 && CPLGetLastErrorType() != CE_Failure) return out;
    out.reset();
    if (!inMemory) remove_if_file(destination);
    return nullptr;
}

bool warp_to_projection(const std::string& source, const std::string& destination, const char* projDefinition,
                        const warp_extent_t& extent)
{
    if (gdal_session::gtiff_driver() == nullptr || destination.empty()) return false;
    gdal_session::dataset_ptr src(
        GDALDataset::Open(source.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (!src) return false;
    gdal_session::dataset_ptr out = warp_dataset(*src, destination, projDefinition, extent);
    const bool ok = out && gdal_session::close(out);
    if (!ok) remove_if_file(destination);
    return ok;
}

} // namespace vardane
