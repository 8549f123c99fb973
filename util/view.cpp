#include "util/view.h"

namespace vardane {

view_mapping::view_mapping(const view_t& view)
{
    const double left = static_cast<float>(view.lon_min);
    const double bottom = static_cast<float>(view.lat_min);
    const double right = static_cast<float>(view.lon_max);
    const double top = static_cast<float>(view.lat_max);
    const double w = static_cast<float>(view.width);
    const double h = static_cast<float>(view.height);
    left_ = left;
    top_ = top;
    scaleX_ = w / (right - left);
    scaleY_ = h / (top - bottom);
}

} // namespace vardane
