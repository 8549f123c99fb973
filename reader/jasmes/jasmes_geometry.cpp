#include "reader/jasmes/jasmes_geometry.h"

#include <cmath>

namespace vardane {

namespace {

constexpr double kPole = 90.0;
constexpr double kTurn = 360.0;

} // namespace

bool jasmes_grid_plausible(const product_description& info)
{
    const double d = info.resolution;
    const double lat = info.latOrigin;
    const double lon = info.lonOrigin;
    if (!std::isfinite(d) || !std::isfinite(lat) || !std::isfinite(lon) || d <= 0.0) return false;
    const double rows = info.lines.empty() ? 1.0 : static_cast<double>(info.lines[0]);
    const double lastRow = lat - (rows - 1) * d;
    const double slack = d / 2;
    return lat <= kPole + slack && lastRow >= -kPole - slack && std::fabs(lon) <= kTurn;
}

void set_jasmes_corners_and_label(product_description& info)
{
    const double d = info.resolution;
    const double w = info.pixels.empty() ? 0.0 : static_cast<double>(info.pixels[0]);
    const double h = info.lines.empty() ? 0.0 : static_cast<double>(info.lines[0]);
    const double top = info.latOrigin + d / 2;
    const double bottom = info.latOrigin - (h - 1) * d - d / 2;
    const double left = info.lonOrigin - d / 2;
    const double right = info.lonOrigin + (w - 1) * d + d / 2;
    info.corners[corner::UL] = {top, left};
    info.corners[corner::UR] = {top, right};
    info.corners[corner::LL] = {bottom, left};
    info.corners[corner::LR] = {bottom, right};
    info.productLabel = info.para.empty() ? "JASMES_unknown" : "JASMES_" + info.para;
}

} // namespace vardane
