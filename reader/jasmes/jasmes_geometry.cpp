#include "reader/jasmes/jasmes_geometry.h"

void set_jasmes_corners_and_label(spinfo& info)
{
    const double d = info.resolution;
    const double w = info.pixels.empty() ? 0.0 : static_cast<double>(info.pixels[0]);
    const double h = info.lines.empty() ? 0.0 : static_cast<double>(info.lines[0]);
    const double top = info.latOrigin + d / 2;
    const double bottom = info.latOrigin - (h - 1) * d - d / 2;
    const double left = info.lonOrigin - d / 2;
    const double right = info.lonOrigin + (w - 1) * d + d / 2;
    info.corners[UL] = {top, left};
    info.corners[UR] = {top, right};
    info.corners[LL] = {bottom, left};
    info.corners[LR] = {bottom, right};
    info.productLabel = info.para.empty() ? "JASMES_unknown" : "JASMES_" + info.para;
}
