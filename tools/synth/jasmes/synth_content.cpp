#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "jasmes/jasmes_synth.h"

namespace vardane {

namespace {

// Smooth value in [0, 1] with a few large features; the seed shifts them.
double smooth(double x, double y, std::uint32_t seed)
{
    const double p = (seed % 97) * 0.37;
    const double tau = 2 * std::numbers::pi;
    return 0.5 + 0.25 * std::sin(tau * (1.5 * x + 0.3 * y) + p) + 0.25 * std::cos(tau * (2.0 * y - 0.5 * x) + 2 * p);
}

} // namespace

namespace {

// smooth() for a whole grid, by rows: each sine and cosine of a sum is split
// into per-column and per-row factors, so a 26-million-cell grid costs no
// trigonometry per cell.
class smooth_grid {
public:
    smooth_grid(std::int32_t width, std::int32_t height, double fx, double fy, std::uint32_t seed)
    {
        const double p = (seed % 97) * 0.37;
        const double tau = 2 * std::numbers::pi;
        for (std::int32_t c = 0; c < width; ++c) {
            const double x = fx * c / width;
            col_.push_back({std::sin(tau * 1.5 * x + p), std::cos(tau * 1.5 * x + p), std::sin(-tau * 0.5 * x + 2 * p),
                            std::cos(-tau * 0.5 * x + 2 * p)});
        }
        for (std::int32_t r = 0; r < height; ++r) {
            const double y = fy * r / height;
            row_.push_back(
                {std::sin(tau * 0.3 * y), std::cos(tau * 0.3 * y), std::sin(tau * 2.0 * y), std::cos(tau * 2.0 * y)});
        }
    }

    // 0.5 + 0.25 sin(a(x) + b(y)) + 0.25 cos(c(x) + d(y)), in [0, 1].
    double at(std::int32_t r, std::int32_t c) const
    {
        const auto& u = col_[static_cast<std::size_t>(c)];
        const auto& v = row_[static_cast<std::size_t>(r)];
        return 0.5 + 0.25 * (u[0] * v[1] + u[1] * v[0]) + 0.25 * (u[3] * v[3] - u[2] * v[2]);
    }

private:
    std::vector<std::array<double, 4>> col_;
    std::vector<std::array<double, 4>> row_;
};

} // namespace

std::vector<std::uint32_t> synth_counts(std::int32_t width, std::int32_t height, std::uint32_t seed,
                                        std::uint32_t minValid, std::uint32_t maxValid, std::uint32_t fill)
{
    std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const double span = static_cast<double>(maxValid - minValid);
    const smooth_grid value(width, height, 1.0, 1.0, seed);
    // "Land" where a second, coarser field is high: no value there.
    const smooth_grid land(width, height, 0.8, 0.6, seed + 11);
    for (std::int32_t r = 0; r < height; ++r) {
        for (std::int32_t c = 0; c < width; ++c) {
            const bool masked = land.at(r, c) > 0.78;
            const double v = std::clamp(value.at(r, c), 0.0, 1.0);
            out[static_cast<std::size_t>(r) * width + c] =
                masked ? fill : minValid + static_cast<std::uint32_t>(std::lround(v * span));
        }
    }
    if (!out.empty()) out[0] = fill;
    return out;
}

std::vector<float> synth_precipitation(std::uint32_t columns, std::uint32_t rows, std::uint32_t seed,
                                       synth_gsmap_period period)
{
    const bool hourly = period == synth_gsmap_period::hourly;
    std::vector<float> out(std::size_t(columns) * rows);
    for (std::uint32_t r = 0; r < rows; ++r) {
        // Rows from 60 N down to 60 S: the codes of cold ground and sea ice
        // belong to the rows towards either edge.
        const double lat = 60.0 - 120.0 * (r + 0.5) / rows;
        for (std::uint32_t c = 0; c < columns; ++c) {
            const double x = static_cast<double>(c) / columns;
            const double y = static_cast<double>(r) / rows;
            const double v = smooth(3 * x, 2 * y, seed);
            float mm = v > 0.6 ? static_cast<float>((v - 0.6) * 40.0) : 0.0f;
            if (smooth(y, x, seed + 5) > 0.85) {
                mm = hourly ? kGsmapHourlyMissing : kGsmapDailyMissing; // no observation
            } else if (hourly && std::abs(lat) > 50.0 && smooth(2 * x, y, seed + 9) > 0.7) {
                mm = kGsmapSeaIce;
            } else if (hourly && std::abs(lat) > 40.0 && smooth(x, 3 * y, seed + 13) < 0.3) {
                mm = kGsmapLowTemperature;
            }
            out[std::size_t(r) * columns + c] = mm;
        }
    }
    return out;
}

std::vector<float> synth_gsmap_counts(const std::vector<float>& precipitation)
{
    std::vector<float> out(precipitation.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        // Whole hours of the month, never equal to the rate beside them.
        out[i] = precipitation[i] < 0 ? kGsmapDailyMissing : static_cast<float>(600 + i % 145);
    }
    return out;
}

} // namespace vardane
