#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "colour/color_map.h"
#include "output/output_raster.h"
#include "output/warp_extent.h"
#include "output/xval.h"
#include "reader/product_types.h"
#include "util/bulk_vector.h"

namespace vardane {

// The image-output object: holds the output raster of the current variable
// and writes it in every output form. Writers create their files under the
// names they are given, which the run driver makes full paths inside its
// working folder; a writer's temporary files go beside the file it makes.
// Nothing here depends on, or changes, the current directory.
//
// The state is public, like that of spinfo: the writers, the run driver and
// the tests read it directly. Only the loaders and the swath writer change
// the raster.
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

    // Stores a copy of a height x width geolocation array under key.
    bool read_fvals(const std::string& key, const float* data, const dataAttr_t& attr);
    void parse_cor_a1(const std::string& text);
    void parse_cor_a2(const std::string& text);
    // Tile numbers of a tiled product. The reader keeps the name's digits
    // 21-22 as tileH and 23-24 as tileV although the products put the vertical
    // number first; the run driver therefore passes (tileV, tileH) here, which
    // lands each number in its right place.
    void tile_no(std::int32_t horizontal, std::int32_t vertical);

    // Bands of a colour image made from the raster: 3 for RGB, else 4 (RGBA).
    std::int32_t get_BandCount() const;
    // True for a loaded raster whose corners span 360 x 180 degrees (within 1).
    bool isGlobalSphere() const;
    // Zeroes the warp extent block.
    void reset_global_vars();

    // --- Writers. Each returns true when its file was written.
    bool gen_TiffImage(const std::string& name, bool a, bool b, double c);
    bool gen_posGeoTIFF(const std::string& stem, productType kind, std::int32_t idx, bool keep,
                        std::vector<std::string>& names);
    // area: 0 plain, 1 rotate a global grid by half a turn and floor floats
    // at -10, 2 floor floats only.
    bool gen_GeoTiffImage(const std::string& name, std::int32_t area);
    bool gen_EQR_Image(const std::string& name, double lonShift, std::int32_t floorFlag);
    bool gen_GeoTiff_PolarImages(std::int32_t mode, const std::string& north, const std::string& south,
                                 std::int32_t area);
    bool gen_L3EQR_GeoTiffImage(const std::string& name, bool flag);
    bool gen_L3PS_GeoTiffImage(const std::string& name);
    // Polar writer's second warp: source (orthographic) to destination in the
    // north or south polar-stereographic projection; false when no complete
    // destination was written (none is then left).
    bool srs_rewarp_PolarImage(const std::string& source, const std::string& destination, bool north);
    // Colour form (output/kmz/): a Byte image of the raster coloured through
    // `colours` (match_colour, `exclusive` upper bounds), invalid values and
    // unmatched pixels transparent; 4 bands (RGBA), 3 for an RGB raster.
    // The second argument is not used.
    bool gen_TiffImage(const std::string& name, bool unused, const std::vector<color_map>& colours,
                       const std::string& invalidText, bool exclusive);
    bool gen_KmzImage(const std::string& name, bool quad, float unused, const std::vector<color_map>& colours,
                      const std::string& pngName, const std::string& pngPath, const std::string& invalidText,
                      bool flag);

    // --- State.
    bool ready = false;                  // a raster is loaded; every writer checks it first
    std::string productName;             // productInfo_t.product
    std::string areaName;                // productInfo_t.area
    output_raster raster;                // row 0 first line, column 0 first pixel
    std::int32_t rasterKind = RK_NONE;   // which member of XVal_t is valid
    std::array<double, 6> geoTransform{-180.0, 1.0, 0.0, 90.0, 0.0, -1.0}; // GDAL order
    std::string wkt;                     // WGS 84 geographic coordinates
    earthPoint_t corners[4];             // UL, UR, LL, LR
    warp_extent_t warpExtent;            // overrides for the polar warp
    std::map<std::string, float_grid> fvals; // "lat89A", "lon89A", "lat89B", "lon89B", "lat", "lon"
    double scale = 1.0;                  // productInfo_t.scale, applied only by colour images
    std::map<std::string, float> corA1;  // co-registration factors by band key ("6G" ... "36G")
    std::map<std::string, float> corA2;
    std::int32_t tileV = 0;
    std::int32_t tileH = 0;
    dataAttr_t dataAttr;                 // of the last loaded variable

    // Swath regridding (output/swath/): the co-registered 89 GHz positions,
    // kept between the variables of a product and made once per band key;
    // and the full names of the windows the last gen_posGeoTIFF could not
    // make, for the run driver to report.
    std::shared_ptr<struct coregistration_cache> coregistered;
    std::vector<std::string> failedWindows;
    // The stored value of the cells a regridding left empty; colour images
    // leave them transparent. Unset for a raster loaded from a product.
    std::optional<std::int32_t> gridNodata;

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
};

} // namespace vardane
