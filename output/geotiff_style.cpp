#include "output/geotiff_style.h"

#include <array>
#include <utility>

namespace vardane {

namespace {

constexpr std::array<std::pair<geotiff_profile, std::string_view>, 3> kNames{{
    {geotiff_profile::plain, "plain"},
    {geotiff_profile::compressed, "compressed"},
    {geotiff_profile::cog, "cog"},
}};

constexpr std::array<std::pair<polar_grid, std::string_view>, 5> kPolarGridNames{{
    {polar_grid::quick_look, "quick-look"},
    {polar_grid::native, "native"},
    {polar_grid::nsidc_25km, "nsidc-25km"},
    {polar_grid::nsidc_12_5km, "nsidc-12.5km"},
    {polar_grid::ease2_25km, "ease2-25km"},
}};

template <class T, std::size_t N>
std::string_view name_in(const std::array<std::pair<T, std::string_view>, N>& names, T value)
{
    for (const auto& [v, name] : names) {
        if (v == value) return name;
    }
    return names.front().second;
}

template <class T, std::size_t N>
std::optional<T> value_in(const std::array<std::pair<T, std::string_view>, N>& names, std::string_view name)
{
    for (const auto& [v, n] : names) {
        if (n == name) return v;
    }
    return std::nullopt;
}

} // namespace

std::string_view geotiff_profile_name(geotiff_profile profile) { return name_in(kNames, profile); }

std::optional<geotiff_profile> geotiff_profile_named(std::string_view name) { return value_in(kNames, name); }

std::string_view polar_grid_name(polar_grid grid) { return name_in(kPolarGridNames, grid); }

std::optional<polar_grid> polar_grid_named(std::string_view name) { return value_in(kPolarGridNames, name); }

} // namespace vardane
