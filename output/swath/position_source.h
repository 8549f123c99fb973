#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "output/output_raster.h"
#include "output/swath_geolocation.h"
#include "reader/product_description.h"
#include "reader/product_types.h"

namespace vardane {

// Lines and pixels of the swath raster being placed.
struct raster_size {
    std::int32_t rows = 0;
    std::int32_t columns = 0;
};

// Where the pixels of the raster lie, worked out one raster line at a time
// so that each corner's position is found once and shared by the cells
// around it.
class position_source {
public:
    virtual ~position_source() = default;
    // Longitude and latitude of the first `columns` pixels of raster line L.
    virtual void line(std::int32_t L, std::int32_t columns, float* lon, float* lat) const = 0;
    // True when the raster's pixels are areas with known edges (a tile):
    // the positions then come with a border, line 0 and the last line, and
    // pixel 0 and the last pixel of every line, lying on the raster's outer
    // edges, and the raster's own line L and pixel P are line L + 1 and
    // pixel P + 1. The cells then reach the edges, so that neighbouring
    // tiles meet.
    virtual bool bordered() const { return false; }
};

// The geolocation of the selected variable (index k) of a product kind,
// taken from geo (whose co-registration cache it may fill); nullptr when
// that geolocation is missing or does not cover a raster of `size`. With
// `lines`, the source is asked for those lines alone (a part of the swath
// placed by itself): a co-registered band is then worked out, and kept,
// for those lines only.
std::unique_ptr<position_source> positions_for(swath_geolocation& geo, const raster_size& size, productType kind,
                                               std::int32_t k, std::optional<row_span> lines = std::nullopt);

// The name of the set of positions that variable k of a product kind lies
// on ("89A", "co-registered 6G", "tie points", ...): variables of one set
// and of one raster size lie on the same positions. Empty when the kind
// places no variable k.
std::string position_set_of(productType kind, std::int32_t k);

// Positions read from latitude/longitude arrays at [L][stride P].
class array_positions final : public position_source {
public:
    array_positions(const float_grid& lat, const float_grid& lon, std::int32_t stride)
        : lat_(lat), lon_(lon), stride_(stride)
    {
    }
    // True when the arrays hold every pixel of a rows x columns raster.
    bool covers(std::int32_t rows, std::int32_t columns) const;
    void line(std::int32_t L, std::int32_t columns, float* lon, float* lat) const override;

private:
    const float_grid& lat_;
    const float_grid& lon_;
    std::int32_t stride_;
};

} // namespace vardane
