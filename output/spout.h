#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "colour/color_map.h"
#include "output/geotiff_profile_writer.h"
#include "output/geotiff_style.h"
#include "output/output_raster.h"
#include "output/swath_geolocation.h"
#include "output/warp_extent.h"
#include "output/xval.h"
#include "reader/product_types.h"
#include "util/bulk_vector.h"
#include "util/failure.h"

namespace vardane {

class gt_projector;

// The image-output object: holds the output raster of the current variable
// and writes it in every output form. Writers create their files under the
// names they are given, which the run driver makes full paths inside its
// working folder; a writer's temporary files go beside the file it makes.
// Nothing here depends on, or changes, the current directory.
//
// The state is private: callers load it through the loaders and the swath
// inputs and read it back as files. Only the loaders and the swath writer
// change the raster.
class spout {
public:
    spout();
    ~spout();
    spout(const spout&) = delete;
    spout& operator=(const spout&) = delete;

    // --- Loaders: copy one freshly read variable into the raster, values
    // unchanged. False (raster left cleared) for a null buffer, a
    // non-positive width or height, or 8-bit data with other than 1 to 4
    // bytes per pixel.
    bool init_char(const std::uint8_t* data, const dataAttr_t& attr, const productInfo_t& info);
    bool init_short(const std::uint16_t* data, const dataAttr_t& attr, const productInfo_t& info);
    bool init_signed(const std::uint16_t* data, const dataAttr_t& attr, const productInfo_t& info);
    bool init_float(const float* data, const dataAttr_t& attr, const productInfo_t& info);
    // As init_float, init_short and init_signed, but the raster takes over
    // the read's plane instead of copying it; `data` is left empty. It must
    // hold width x height samples; a refused plane stays with the caller.
    bool take_float(bulk_vector<float>&& data, const dataAttr_t& attr, const productInfo_t& info);
    bool take_short(bulk_vector<std::uint16_t>&& data, const dataAttr_t& attr, const productInfo_t& info);
    bool take_signed(bulk_vector<std::uint16_t>&& data, const dataAttr_t& attr, const productInfo_t& info);

    // Empties the raster and clears the ready flag; every other field stays.
    void Clear_Array_raster();

    // --- Swath inputs, set per product before its variables are loaded.
    // Stores a copy of a height x width geolocation array under key.
    bool read_fvals(const std::string& key, const float* data, const dataAttr_t& attr);
    void parse_cor_a1(const std::string& text);
    void parse_cor_a2(const std::string& text);
    // Tile numbers of a tiled product: horizontal from 180 degrees west,
    // vertical from the north.
    void tile_no(std::int32_t horizontal, std::int32_t vertical);

    // Bands of a colour image made from the raster: 3 for RGB, else 4 (RGBA).
    std::int32_t get_BandCount() const;
    // True for a loaded raster whose corners span 360 x 180 degrees (within 1).
    bool isGlobalSphere() const;
    // True for a loaded raster whose corners span 360 degrees of longitude
    // (within 1), whatever its latitudes.
    bool spans_all_longitudes() const;

    // --- Writers. Each returns true when its file was written; when not,
    // last_failure() names the file and the cause.
    // Plain TIFF of the stored samples, without georeferencing.
    bool gen_TiffImage(const std::string& name);
    // Regrids a swath raster onto its latitude/longitude windows, written as
    // GeoTIFFs stem + suffix + ".proj.tif" when `keep` (their names added to
    // `names`). A radiometer's raster becomes the regridded global grid
    // (holds_regridded_grid()), which the KMZ overlay draws.
    bool gen_posGeoTIFF(const std::string& stem, productType kind, std::int32_t idx, bool keep,
                        std::vector<std::string>& names);
    // area: 0 plain, 1 rotate a global grid by half a turn and floor floats
    // at -10, 2 floor floats only.
    bool gen_GeoTiffImage(const std::string& name, std::int32_t area);
    bool gen_EQR_Image(const std::string& name, double lonShift, std::int32_t floorFlag);
    bool gen_GeoTiff_PolarImages(std::int32_t mode, const std::string& north, const std::string& south,
                                 std::int32_t area);
    // A global latitude/longitude raster warped onto `grid` (any but the
    // quick look) for one hemisphere (mode 1 north, 2 south) or both (0),
    // at full resolution, the GeoTIFFs laid out as the run's style asks.
    // Both files are kept only when both were written.
    bool gen_polar_grid_images(polar_grid grid, std::int32_t mode, const std::string& north, const std::string& south);
    bool gen_L3EQR_GeoTiffImage(const std::string& name, bool flag);
    bool gen_L3PS_GeoTiffImage(const std::string& name);
    // Polar writer's second warp: source (orthographic) to destination in the
    // north or south polar-stereographic projection; false when no complete
    // destination was written (none is then left).
    bool srs_rewarp_PolarImage(const std::string& source, const std::string& destination, bool north);
    // Colour form (output/kmz/): a Byte image of the raster coloured through
    // `colours` (match_colour, `exclusive` upper bounds), invalid values and
    // unmatched pixels transparent; 4 bands (RGBA), 3 for an RGB raster.
    bool gen_TiffImage(const std::string& name, const std::vector<color_map>& colours, const std::string& invalidText,
                       bool exclusive);
    // Stored counts that mean "no value" in the product being converted:
    // colour images leave them transparent, whatever the colour table says.
    // They are also the values a gridded GeoTIFF records as NoData.
    void set_fill_counts(std::span<const std::int32_t> counts) { fillCounts.assign(counts.begin(), counts.end()); }
    // How every GeoTIFF is laid out from now on (plain by default).
    void set_geotiff_style(const geotiff_style& style) { geotiffStyle_ = style; }
    bool gen_KmzImage(const std::string& name, bool quad, const std::vector<color_map>& colours,
                      const std::string& pngName, const std::string& pngPath, const std::string& invalidText,
                      bool flag);

    // --- What the run driver reads back.
    // Why the last writer call returned false: the file it was making (full
    // path) and the words of the library or system that refused. Cleared by
    // every writer call.
    const failure& last_failure() const { return lastFailure_; }
    // The windows the last gen_posGeoTIFF could not make (full name and
    // cause), although it returned true for the others.
    const std::vector<failure>& failed_windows() const { return failedWindows_; }
    // True while the raster is the global grid a radiometer swath was
    // regridded onto, not the swath as loaded.
    bool holds_regridded_grid() const { return ready && gridNodata.has_value(); }
    // The raster's samples are codes (flags, classes), not measurements.
    bool holds_codes() const { return dataAttr.codes; }
    // The value of the cells of a swath window no swath pixel reached.
    std::int32_t swath_window_nodata() const;
    // Which of a product's fill values (`fills`, outside the observation
    // before missing) means "no data" in the raster's gridded outputs: the
    // last one its sample type holds; nothing for floats, bytes, or when
    // none fits.
    std::optional<double> gridded_nodata(std::span<const std::int32_t> fills) const;

private:
    // Shared steps of the byte and float loaders around the value copy.
    bool begin_load(const void* data, const dataAttr_t& attr, RasterKind kind);
    bool finish_load(const productInfo_t& info);
    // 16-bit samples are kept as a plane of two bytes a cell, copied or
    // taken over; floats as a plane too.
    bool copy_sixteen_bits(const std::uint16_t* data, const dataAttr_t& attr, const productInfo_t& info,
                           RasterKind kind);
    template <class T>
    bool take_plane(bulk_vector<T>&& data, const dataAttr_t& attr, const productInfo_t& info, RasterKind kind);

    // The swath writer's result becomes the raster (output/swath/); the
    // projector's grid may be taken over.
    void take_regridded_grid(gt_projector& projector);
    // Starts a writer call: no failure yet, and no library words left from
    // an earlier call.
    void begin_write();
    // Records why `file` was not written and returns false. A cause already
    // recorded by a deeper step of the same call is kept.
    bool refuse(const std::string& file, const std::string& cause);
    // How a GeoTIFF of the raster is finished under the run's style, with
    // `nodata` recorded when the style asks for it.
    geotiff_finish geotiff_finish_with(std::optional<double> nodata) const;
    // A GeoTIFF another library wrote at name (libtiff, GDAL's warper),
    // given the run's layout; false (recorded) when that failed.
    bool finish_written_geotiff(const std::string& name, std::optional<double> nodata);
    // Records the library's words on `file` when `written` is false.
    bool outcome(bool written, const std::string& file);
    // The checks every writer makes before it begins: begin_write, then
    // false (recorded) without a name or a loaded raster.
    bool can_write(const std::string& name);

    bool ready = false;                // a raster is loaded; every writer checks it first
    output_raster raster;              // row 0 first line, column 0 first pixel
    std::int32_t rasterKind = RK_NONE; // which member of XVal_t is valid
    std::array<double, 6> geoTransform{-180.0, 1.0, 0.0, 90.0, 0.0, -1.0}; // GDAL order
    std::string wkt;                                                       // WGS 84 geographic coordinates
    earthPoint_t corners[4];                                               // UL, UR, LL, LR
    warp_extent_t warpExtent;                                              // overrides for the polar warp
    double scale = 1.0;            // productInfo_t.scale, applied only by colour images
    swath_geolocation geolocation; // the swath writer's positions
    dataAttr_t dataAttr;           // of the last loaded variable
    // The stored value of the cells a regridding left empty; colour images
    // leave them transparent. Unset for a raster loaded from a product.
    std::optional<std::int32_t> gridNodata;
    std::vector<std::int32_t> fillCounts; // set_fill_counts
    geotiff_style geotiffStyle_;

    failure lastFailure_;
    std::vector<failure> failedWindows_;
};

} // namespace vardane
