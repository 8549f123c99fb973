#include <array>
#include <string_view>

#include "settings/spconverter.h"
#include "util/number_text.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// Corner labels in the order of productInfo_t::corner.
constexpr std::array<std::string_view, 4> corner_labels{"UL CORNER LAT/LON", "UR CORNER LAT/LON", "LL CORNER LAT/LON",
                                                        "LR CORNER LAT/LON"};

} // namespace

// Built by appending, so no name is ever cut whatever its length.
std::string spconverter::create_PosInfodata(const productInfo_t& info, const std::string& inputPath,
                                            const std::string& tifName) const
{
    std::string text;
    text += "OUTPUT FILE:" + tifName + "\n";
    text += "\tINPUT FILE:" + basicfname(inputPath) + "\n";
    text += "\tFIELD NAME:" + info.para + "\n";
    for (std::size_t i = 0; i < corner_labels.size(); ++i) {
        text += "\t";
        text += corner_labels[i];
        text += ":" + format_fixed(info.corner[i].lat, 4) + "/" + format_fixed(info.corner[i].lon, 4) + "\n";
    }
    return text;
}

} // namespace vardane
