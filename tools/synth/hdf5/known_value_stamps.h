#pragma once
// Puts the known values (origin, parameter tag, marker) into a layer of samples
// in storage order; see synth_known_values.h for what goes where.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

#include "synth_known_values.h"

namespace vardane {

namespace synth_stamps {

template <typename T>
struct known;
template <>
struct known<std::uint16_t> {
    static constexpr std::uint16_t origin = synth_known::kOriginU16;
    static constexpr std::uint16_t marker = synth_known::kMarkerU16;
    static constexpr std::uint16_t fill = synth_known::kFillU16;
    static std::uint16_t tag(int idx) { return static_cast<std::uint16_t>(synth_known::kTagBase + idx); }
};
template <>
struct known<std::int16_t> {
    static constexpr std::int16_t origin = synth_known::kOriginI16;
    static constexpr std::int16_t marker = synth_known::kMarkerI16;
    static constexpr std::int16_t fill = synth_known::kFillI16;
    static std::int16_t tag(int idx) { return static_cast<std::int16_t>(synth_known::kTagBase + idx); }
};
template <>
struct known<std::uint8_t> {
    static constexpr std::uint8_t origin = synth_known::kOriginU8;
    static constexpr std::uint8_t marker = synth_known::kMarkerU8;
    static constexpr std::uint8_t fill = synth_known::kFillU8;
    static std::uint8_t tag(int idx) { return static_cast<std::uint8_t>(synth_known::kTagBaseU8 + idx); }
};
template <>
struct known<float> {
    static constexpr float origin = synth_known::kOriginFloat;
    static constexpr float marker = synth_known::kMarkerFloat;
    static constexpr float fill = synth_known::kFillFloat;
    static float tag(int idx) { return static_cast<float>(synth_known::kTagBase + idx); }
};

// Element positions (in storage order) of one layer's known values.
struct places {
    std::size_t origin;
    std::size_t tag;
    std::optional<std::size_t> marker;
};

template <typename T>
void stamp(std::vector<T>& data, const places& at, int parameter_index)
{
    data.at(at.origin) = known<T>::origin;
    data.at(at.tag) = known<T>::tag(parameter_index);
    if (at.marker) data.at(*at.marker) = known<T>::marker;
}

// Places for a plain 2-D layer of rows x columns starting at element `base`
// with the given element stride (layers interleaved as the last axis).
inline places grid_places(std::size_t base, std::size_t stride, std::size_t columns,
                          std::optional<std::size_t> marker_row, std::optional<std::size_t> marker_column)
{
    places p{base, base + stride, std::nullopt};
    if (marker_row && marker_column) p.marker = base + (*marker_row * columns + *marker_column) * stride;
    return p;
}

} // namespace synth_stamps

} // namespace vardane
