#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "util/bulk_vector.h"
#include "util/view.h"

class GDALRasterBand;

namespace vardane {

struct geotiff_finish;

// The stored value of the cells of a swath grid of this raster kind that no
// swath pixel reached.
std::int32_t swath_grid_nodata(std::int32_t kind);

// One corner of a swath cell: where it lies and the value it carries.
struct point_t {
    float lon = 0.0f;
    float lat = 0.0f;
    std::int32_t value = 0;
    bool flag = false; // carried along; the projector does not look at it
};

using cell_corners = std::array<point_t, 4>;

// A corner whose position is no place on the Earth (the -9999 of lost
// geolocation, a latitude beyond a pole, NaN). A cell reaching such a corner
// would smear its values in a streak across the map, so it is skipped.
// Longitudes up to 540 degrees pass: tie-point and tile longitudes are not
// folded back into -180..180.
inline bool position_is_lost(float lon, float lat)
{
    return !(lat >= -90.0f && lat <= 90.0f && lon >= -540.0f && lon <= 540.0f);
}

// How a pixel inside a cell takes its value from the cell's corners.
enum class cell_fill {
    blend,   // measurements: inverse-distance blend of the four corners
    nearest, // codes (flags, classes): the nearest corner's value, never a
             // blend that would invent a code
};

// The places of a cell's four corners in grid units (view_mapping::locate).
using grid_corners = std::array<view_mapping::grid_point, 4>;

// Rows [first, end) of a grid: the share of one of several threads drawing
// the same cells into one grid. A pixel is written only by the cells that
// hold its centre, in the order they are drawn, so the threads together
// leave the grid one thread drawing every row leaves.
struct grid_rows {
    std::int32_t first = 0;
    std::int32_t end = 0;
};

// The regular latitude/longitude grid of one output window, filled cell by
// cell. A pixel belongs to the cell that holds its centre and takes the
// value found at its centre from that cell's four corners, so it lies where
// its georeferencing says and does not depend on the order the cells are
// drawn in, however small the cells are against the pixels.
// Bytes for raster kind 1, 16-bit samples for every other kind.
class gt_projector {
public:
    gt_projector(std::int32_t kind, std::int32_t width, std::int32_t height, cell_fill how = cell_fill::blend);

    // Makes view the active window and fills the grid with nodata. False
    // when the grid is too large or cannot be allocated.
    bool setView(const view_t& view);

    // Fills the grid pixels inside the cell of four corners in ring order.
    void put_val_bl(const cell_corners& corners, bool secondPass) { put_val_bl(corners, secondPass, all_rows()); }
    // The same, with the grid places of the corners already worked out by
    // locate (as they are when the cell does not cross the date line).
    void put_val_bl(const cell_corners& corners, const grid_corners& places)
    {
        put_val_bl(corners, places, all_rows());
    }
    // The same, filling only the pixels of `rows`. Threads drawing into
    // rows that do not overlap may share the projector.
    void put_val_bl(const cell_corners& corners, bool secondPass, grid_rows rows);
    void put_val_bl(const cell_corners& corners, const grid_corners& places, grid_rows rows);
    // The same for a cell known to have every corner's value and position
    // (none is nodata, none position_is_lost): a walk that checks each
    // corner once for the four cells around it.
    void put_whole_cell(const cell_corners& corners, const grid_corners& places, grid_rows rows);

    // Fills several grids of one window, one raster kind and one fill from
    // the same cell: grid k takes the values of corners[k], whose positions
    // are those of corners[0]. Each grid ends as if drawn alone; the pixel
    // centres the cell holds are found once for all of them.
    static void put_val_bl(std::span<gt_projector* const> grids, std::span<const cell_corners> corners,
                           const grid_corners& places, grid_rows rows);

    // Writes the grid as a one-band GeoTIFF of the active view, laid out as
    // `how` asks; a failed write leaves no file.
    bool output(const std::string& name, const geotiff_finish& how) const;

    std::int32_t getWidth() const { return width_; }
    std::int32_t getHeight() const { return height_; }
    grid_rows all_rows() const { return {0, height_}; }
    std::int32_t nodata() const { return nodata_; }
    const view_t& view() const { return view_; }
    // The sample at column c, row r as signed 16 bits (bytes widened).
    std::int16_t getVal(std::int32_t c, std::int32_t r) const;
    // Hands the grid over, row by row from the north, and leaves none:
    // the bytes of raster kind 1, the 16-bit samples of every other kind.
    bulk_vector<std::uint16_t> take_samples16();
    bulk_vector<std::uint8_t> take_samples8();
    // Frees the grid.
    void clear();

    view_mapping::grid_point locate(float lon, float lat) const { return mapping_.locate(lon, lat); }
    void getXY(float x, float y, int& column, int& row) const { mapping_.getXY(x, y, column, row); }

    // Largest grid a window may have (four times a 20000 x 10000
    // polarisation window, enough for a scene or tile near a pole): an
    // extent read from a damaged file must not exhaust the memory.
    static constexpr std::int64_t kMaxSamples = std::int64_t(20000) * 10000 * 4;

private:
    // Grids put_val_bl fills at once from one cell; more are filled in turns.
    static constexpr std::size_t kMaxStacked = 16;
    // Rows written to the file at a time.
    static constexpr std::size_t kSliceBytes = std::size_t(16) << 20;

    bool write_in_slices(GDALRasterBand& band, const void* samples, int gdalType) const;
    // The places of the corners with the longitudes of a cell across the
    // date line taken a turn to its west (west of -180) or to its east.
    grid_corners places_beside_date_line(const cell_corners& corners, bool west) const;
    // Calls at(offset, d) for each pixel centre of `rows` inside the cell,
    // d the squared distances of the corners from it, in pixels.
    template <typename At>
    void each_centre(const grid_corners& places, grid_rows rows, At&& at) const;
    template <typename T, cell_fill How>
    void fill_grid(T* grid, const grid_corners& places, const cell_corners& corners, grid_rows rows);
    // Fills the pixels of the cell in the grids `drawn` (indices into
    // grids) with their values from corners.
    template <typename T, cell_fill How>
    static void fill_grids(std::span<gt_projector* const> grids, std::span<const cell_corners> corners,
                           std::span<const std::size_t> drawn, const grid_corners& places, grid_rows rows);
    static void fill_stack(std::span<gt_projector* const> grids, std::span<const cell_corners> corners,
                           std::span<const std::size_t> drawn, const grid_corners& places, grid_rows rows);
    void fill(const grid_corners& places, const cell_corners& corners, grid_rows rows);
    bool skipped(const cell_corners& corners) const;
    bool lacks_value(const cell_corners& corners) const;
    bool has_grid() const;
    template <typename T>
    T* grid()
    {
        if constexpr (sizeof(T) == 1) {
            return samples8_.data();
        } else {
            return samples16_.data();
        }
    }

    std::int32_t kind_;
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t nodata_;
    cell_fill how_;
    view_t view_;
    view_mapping mapping_;
    bulk_vector<std::uint16_t> samples16_;
    bulk_vector<std::uint8_t> samples8_;
};

} // namespace vardane
