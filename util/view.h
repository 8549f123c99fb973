#pragma once

#include <string>

namespace vardane {

// One geographic output window of the swath regridder. Pixel (x, y) maps to
// lon = lon_min + x * (lon_max - lon_min) / width,
// lat = lat_max - y * (lat_max - lat_min) / height.
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

    // (x = lon, y = lat) to column and row; rows grow downwards. No clipping:
    // callers check the range. Results far outside any grid (or from NaN)
    // are held at +-kFar so that they stay outside without overflowing.
    void getXY(float x, float y, int& column, int& row) const
    {
        column = to_cell(scaleX_ * (double(x) - left_) + 0.5);
        row = to_cell(scaleY_ * (top_ - double(y)) + 0.5);
    }

    static constexpr int kFar = 1 << 28;

private:
    static int to_cell(double v)
    {
        if (!(v > -kFar)) return -kFar; // NaN included
        if (v > kFar) return kFar;
        return static_cast<int>(v);
    }

    double left_ = 0.0;
    double top_ = 0.0;
    double scaleX_ = 0.0;
    double scaleY_ = 0.0;
};

} // namespace vardane
