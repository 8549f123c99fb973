#include <algorithm>
#include <new>
#include <optional>
#include <span>
#include <vector>

#include <gdal_priv.h>

#include "colour/colour_match.h"
#include "output/gdal_session.h"
#include "output/invalid_value.h"
#include "output/partial_file.h"
#include "output/spout.h"
#include "output/write_failure.h"

namespace vardane {

// Colour image of the raster for a KMZ overlay: red, green, blue and alpha
// bytes per pixel (an RGB raster keeps its own three bytes), no
// georeferencing (the KML document places it).
namespace {

// The physical value of a cell: integer counts times the scale factor in
// single precision; floats are final values already.
float cell_value(const XVal_t& cell, std::int32_t kind, float scale)
{
    switch (kind) {
    case RK_UINT16: return float(cell.u16) * scale;
    case RK_INT16: return float(cell.s16) * scale;
    case RK_BYTE: return float(cell.bytes[0]) * scale;
    default: return cell.f32;
    }
}

using planes = std::vector<std::vector<std::uint8_t>>;

// The stored value of a cell as the regridding's nodata compares with it.
std::int32_t stored_value(const XVal_t& cell, std::int32_t kind)
{
    switch (kind) {
    case RK_UINT16: return cell.u16;
    case RK_INT16: return cell.s16;
    case RK_BYTE: return cell.bytes[0];
    default: return 0;
    }
}

// The stored values that are no value: the cells a regridding left empty
// and the product's own fill codes.
struct no_value {
    std::optional<std::int32_t> grid;
    std::span<const std::int32_t> fills;

    bool holds(std::int32_t stored) const
    {
        return (grid && stored == *grid) || std::find(fills.begin(), fills.end(), stored) != fills.end();
    }
};

void colour_cells(const output_raster& raster, std::int32_t kind, float scale, const std::vector<color_map>& colours,
                  const invalid_value& invalid, const no_value& empty, bool exclusive, planes& p)
{
    std::size_t i = 0;
    for (std::int32_t r = 0; r < raster.height(); ++r) {
        for (std::int32_t col = 0; col < raster.width(); ++col) {
            const XVal_t cell = raster.cell(r, col);
            if (kind == RK_RGB) {
                for (int k = 0; k < 3; ++k) p[std::size_t(k)][i] = cell.bytes[k];
            } else {
                // Cells without a value stay transparent: without this the
                // fill values take a colour of the table over the globe.
                if (kind != RK_FLOAT32 && empty.holds(stored_value(cell, kind))) {
                    ++i;
                    continue;
                }
                const float v = cell_value(cell, kind, scale);
                const color_map* c = invalid.is_invalid(v) ? nullptr : match_colour(colours, v, exclusive);
                if (c != nullptr) {
                    p[0][i] = std::uint8_t(c->r);
                    p[1][i] = std::uint8_t(c->g);
                    p[2][i] = std::uint8_t(c->b);
                    p[3][i] = std::uint8_t(c->a);
                }
            }
            ++i;
        }
    }
}

bool write_planes(GDALDataset& ds, const output_raster& raster, planes& p)
{
    for (std::size_t k = 0; k < p.size(); ++k) {
        GDALRasterBand* band = ds.GetRasterBand(int(k) + 1);
        if (band == nullptr) return false;
        if (band->RasterIO(GF_Write, 0, 0, raster.width(), raster.height(), p[k].data(), raster.width(),
                           raster.height(), GDT_Byte, 0, 0, nullptr)
            != CE_None) {
            return false;
        }
    }
    return true;
}

} // namespace

bool spout::gen_TiffImage(const std::string& name, const std::vector<color_map>& colours,
                          const std::string& invalidText, bool exclusive)
{
    if (!can_write(name)) return false;
    if (rasterKind < RK_UINT16 || rasterKind > RK_INT16) return refuse(name, write_cause::kSampleType);
    if (gdal_session::gtiff_driver() == nullptr) return refuse(name, write_cause::kNoGtiff);

    const invalid_value invalid(invalidText);
    const int bands = get_BandCount();
    planes p;
    try {
        // Unmatched and invalid pixels stay 0, 0, 0, 0: transparent.
        p.assign(std::size_t(bands), std::vector<std::uint8_t>(std::size_t(raster.width()) * raster.height(), 0));
    } catch (const std::bad_alloc&) {
        return refuse(name, write_cause::kOutOfMemory);
    }
    colour_cells(raster, rasterKind, float(scale), colours, invalid, no_value{gridNodata, fillCounts}, exclusive, p);

    gdal_session::dataset_ptr ds = gdal_session::create_gtiff(name, raster.width(), raster.height(), bands, GDT_Byte);
    if (!ds) return outcome(false, name);
    bool ok = write_planes(*ds, raster, p);
    ok = gdal_session::close(ds) && ok;
    if (!ok) discard_partial_file(name);
    return outcome(ok, name);
}

} // namespace vardane
