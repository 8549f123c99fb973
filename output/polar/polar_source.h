#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "output/gdal_session.h"
#include "output/output_raster.h"
#include "output/raster_layout.h"

namespace vardane {

// A global (or regional) latitude/longitude raster as GDAL's warper reads
// it: an in-memory dataset over samples of its own, turned so that a grid
// that starts at 0 degrees starts at -180 (the warper looks for a
// longitude of -170 west of the date line, not at 190), with every value
// that means "no data" replaced by one value the warper skips.
class polar_source {
public:
    // Nothing when the raster kind has no layout or memory runs out.
    // `fills` are the stored counts that mean "no data"; `nodata` the one
    // they become (and the value cells outside every source take). Floats
    // below -10 (the fills of float products) and NaN become NaN.
    static std::optional<polar_source> make(const output_raster& raster, const raster_layout& layout,
                                            const std::array<double, 6>& geoTransform,
                                            std::span<const std::int32_t> fills, std::optional<double> nodata);

    GDALDataset& dataset() const { return *ds_; }
    // The value the warper skips in the source and writes where nothing
    // lands; nothing for byte rasters, which have no such value.
    std::optional<double> nodata() const { return nodata_; }
    // Degrees between two rows of the source.
    double row_step() const { return rowStep_; }

private:
    std::vector<std::uint8_t> samples_; // band after band, row after row
    gdal_session::dataset_ptr ds_;
    std::optional<double> nodata_;
    double rowStep_ = 0.0;
};

} // namespace vardane
