#include "driver/prepare_raster.h"

#include <utility>

#include "output/spout.h"
#include "reader/spinfo.h"
#include "util/bulk_vector.h"

namespace vardane {

namespace {

// Samples the read must have delivered for the raster to be taken.
std::uintmax_t expected_samples(const dataAttr_t& attr, bool perPixelBands)
{
    if (attr.width <= 0 || attr.height <= 0) return 0;
    const std::uintmax_t bands = perPixelBands && attr.bands > 1 ? static_cast<std::uintmax_t>(attr.bands) : 1;
    return static_cast<std::uintmax_t>(attr.width) * static_cast<std::uintmax_t>(attr.height) * bands;
}

template <typename T>
bool holds(const bulk_vector<T>& buffer, std::uintmax_t samples)
{
    return samples > 0 && buffer.size() >= samples;
}

} // namespace

bool prepare_raster(spinfo& info, spout& out, std::int32_t dtype, const productInfo_t& product)
{
    const auto& attr = info.dataAttr();
    switch (dtype) {
    case DT_UINT8:
        return holds(info.byteRaster(), expected_samples(attr, true))
               && out.init_char(info.byteRaster().data(), attr, product);
    case DT_UINT16:
        return holds(info.shortRaster(), expected_samples(attr, false))
               && out.take_short(info.take_shortRaster(), attr, product);
    case DT_FLOAT32:
        return holds(info.floatRaster(), expected_samples(attr, false))
               && out.take_float(info.take_floatRaster(), attr, product);
    case DT_INT16:
        return holds(info.shortRaster(), expected_samples(attr, false))
               && out.take_signed(info.take_shortRaster(), attr, product);
    default: return false;
    }
}

} // namespace vardane
