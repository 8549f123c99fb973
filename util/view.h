#pragma once

#include <cmath>
#include <string>

namespace vardane {

// One geographic output window of the swath regridder. Pixel (x, y) is the
// area from lon = lon_min + x * (lon_max - lon_min) / width to the same
// with x + 1, and from lat = lat_max - y * (lat_max - lat_min) / height down
// to the same with y + 1; its centre is at x + 0.5, y + 0.5.
struct view_t {
    int width = 0;
    int height = 0;
    int lon_min = 0;
    int lat_min = 0;
    int lon_max = 0;
    int lat_max = 0;
    std::string suffix;
};

// Maps geographic points into the pixel grid of one view. The bounds and the
// grid size go through single precision before the double arithmetic, as
// the regridded products have always been made; the two factors are worked
// out once here, which gives the same results as per call.
class view_mapping {
public:
    view_mapping() = default;
    explicit view_mapping(const view_t& view);

    // A place in grid units: x columns right of the west edge, y rows below
    // the north edge, not rounded (the centre of pixel (c, r) is at
    // c + 0.5, r + 0.5).
    struct grid_point {
        double x;
        double y;
    };
    grid_point locate(float x, float y) const { return {scaleX_ * (double(x) - left_), scaleY_ * (top_ - double(y))}; }

    // (x = lon, y = lat) to the column and row of the pixel whose area holds
    // it; rows grow downwards. No clipping: callers check the range. Results
    // far outside any grid (or from NaN) are held at +-kFar so that they stay
    // outside without overflowing.
    void getXY(float x, float y, int& column, int& row) const
    {
        const grid_point p = locate(x, y);
        column = to_cell(p.x);
        row = to_cell(p.y);
    }

    static constexpr int kFar = 1 << 28;

private:
    static int to_cell(double v)
    {
        if (!(v > -kFar)) return -kFar; // NaN included
        if (v > kFar) return kFar;
        return static_cast<int>(std::floor(v));
    }

    double left_ = 0.0;
    double top_ = 0.0;
    double scaleX_ = 0.0;
    double scaleY_ = 0.0;
};

} // namespace vardane
