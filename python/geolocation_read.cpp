#include "python/geolocation_read.h"

#include <cstddef>
#include <cstdint>
#include <utility>

#include <pybind11/pybind11.h>

#include "output/swath/coregistration_bands.h"
#include "python/file_state.h"
#include "python/opened_product.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

swath_geolocation read_geolocation(spinfo& info, const std::string& path, const product_rule& rule)
{
    swath_geolocation geo;
    for (const geolocation_read& read : rule.reads) {
        const std::int32_t index = read.index_in(info.N_count());
        std::int32_t dtype = DT_NONE;
        if (index < 0 || !info.get_dataSource(static_cast<std::uint32_t>(index), dtype)) {
            const failure& why = info.last_failure();
            if (why.failed()) throw pybind11::value_error(read_cause(info, path));
            throw pybind11::value_error(path + ": cannot read its geolocation " + read.label);
        }
        const dataAttr_t& shape = info.dataAttr();
        const std::size_t n =
            std::size_t(shape.width < 0 ? 0 : shape.width) * std::size_t(shape.height < 0 ? 0 : shape.height);
        if (dtype != DT_FLOAT32 || n == 0 || info.floatRaster().size() < n) {
            throw pybind11::value_error(path + ": its geolocation " + read.label + " holds no latitudes or longitudes");
        }
        float_grid grid;
        grid.width = shape.width;
        grid.height = shape.height;
        grid.values.assign(info.floatRaster().data(), info.floatRaster().data() + n);
        geo.fvals[read.label] = std::move(grid);
    }
    if (rule.coregistration) {
        geo.corA1 = parse_cor(info.attribute_text(kCoRegistrationA1));
        geo.corA2 = parse_cor(info.attribute_text(kCoRegistrationA2));
    }
    geo.tileV = info.tileV();
    geo.tileH = info.tileH();
    return geo;
}

} // namespace

std::shared_ptr<shared_geolocation> geolocation_of(spinfo& info, const std::string& path, const product_rule& rule)
{
    static std::mutex keeping;
    static file_state keptState;
    static std::shared_ptr<shared_geolocation> kept;

    const file_state now = state_of(path);
    {
        const std::lock_guard<std::mutex> lock(keeping);
        if (kept && keptState == now) return kept;
    }
    auto made = std::make_shared<shared_geolocation>();
    {
        const auto locked = lock_readers();
        made->geo = read_geolocation(info, path, rule);
    }
    const std::lock_guard<std::mutex> lock(keeping);
    kept = made;
    keptState = now;
    return made;
}

} // namespace vardane
