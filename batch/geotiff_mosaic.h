#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch/run_geotiffs.h"
#include "util/failure.h"

namespace vardane {

// The kind word of a mosaic in the log ("Mosaic file(X) is created.").
inline constexpr const char* kKindMosaic = "Mosaic";

// The GeoTIFFs of one output name that share one grid, in input order, and
// the VRT that lays them over each other.
struct mosaic_plan {
    std::string vrt;                // full path: <output name>_mosaic[_K].vrt in the folder
    std::vector<std::string> files; // input order: later ones lie on top
    std::optional<double> nodata;   // the value the VRT skips; none for sample types without one
    failure why;                    // a GeoTIFF that could not be read: no VRT is made
};

// Groups a run's GeoTIFFs by output name (the file name without the input's
// base-name prefix and the ".tif"/".proj.tif" extension) and by grid
// (size, geotransform, coordinate system, sample type, NoData). A name on
// one grid gets "<name>_mosaic.vrt" in `folder`; a name on several grids
// (swath windows of several places) "<name>_mosaic_1.vrt", "_2" ... in the
// order the grids first appear.
std::vector<mosaic_plan> plan_mosaics(const std::vector<run_geotiff>& geotiffs, const std::string& folder);

// Writes the plan's VRT with GDAL's gdalbuildvrt; the failure, with GDAL's
// words, when it could not (no file is left then).
failure write_mosaic(const mosaic_plan& plan);

} // namespace vardane
