#pragma once

#include <optional>
#include <string>

#include "output/gdal_session.h"
#include "output/geotiff_style.h"

class GDALDataset;

namespace vardane {

// What a finished GeoTIFF is given beyond its pixels.
struct geotiff_finish {
    geotiff_profile profile = geotiff_profile::plain;
    // Recorded as every band's NoData value when set.
    std::optional<double> nodata;
    // The samples are codes (flags, classes): overviews pick a pixel
    // (nearest) instead of averaging.
    bool codes = false;
};

// Compression GDAL applies for the compressed and cog profiles.
inline constexpr const char* kProfileCompression = "DEFLATE";
// Tile edge of the compressed and cog profiles, in pixels.
inline constexpr int kProfileTile = 512;

// A GeoTIFF that a writer fills through GDAL, laid out as `how` asks while
// it is written. For plain and compressed the dataset is the file itself
// (compressed tiles go to the file as the writer's rows complete them); a
// COG's layout (overviews ahead of the full-resolution tiles) can only be
// made by copying, so for cog the dataset is an in-memory raster that
// close() writes to the file once.
class geotiff_sink {
public:
    geotiff_sink(std::string path, geotiff_finish how);

    // The dataset of width x height pixels of `bands` bands of gdalType to
    // write the pixels and the georeferencing into; nullptr on failure
    // (nothing left at the path).
    GDALDataset* create(int width, int height, int bands, int gdalType);
    // As create for one band whose samples the caller already holds, rows
    // one after another: for cog the in-memory raster is `samples` itself,
    // not a copy of them, which must outlive close(). Writing into the
    // dataset is then not needed (and for the other profiles, still is).
    GDALDataset* create_over(const void* samples, int width, int height, int gdalType);
    // Writes out and closes the file; false, with no file left, when
    // anything failed (library_cause names why).
    bool close();
    // Drops what was written: the file is removed (a COG is never begun).
    void discard();

    // The dataset is the caller's samples (create_over with cog): there is
    // nothing to write into it.
    bool holds_samples() const { return over_; }

private:
    std::string path_;
    geotiff_finish how_;
    gdal_session::dataset_ptr ds_;
    bool over_ = false; // the cog raster is the caller's samples
};

// Turns the plain GeoTIFF at path, as libtiff or GDAL's warper left it,
// into the file `how` asks for, under the same name. `plain` without NoData
// leaves the file untouched. For the other profiles GDAL copies the file
// block by block into a new one beside it (compressing, building
// overviews), which then replaces it. False, with the cause in `cause` and
// no file left at path, when that fails.
bool finish_geotiff(const std::string& path, const geotiff_finish& how, std::string& cause);

} // namespace vardane
