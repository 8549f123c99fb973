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

} // namespace

std::string_view geotiff_profile_name(geotiff_profile profile)
{
    for (const auto& [p, name] : kNames) {
        if (p == profile) return name;
    }
    return "plain";
}

std::optional<geotiff_profile> geotiff_profile_named(std::string_view name)
{
    for (const auto& [p, n] : kNames) {
        if (n == name) return p;
    }
    return std::nullopt;
}

} // namespace vardane
