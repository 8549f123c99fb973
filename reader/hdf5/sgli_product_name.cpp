#include "reader/hdf5/sgli_product_name.h"

namespace vardane {

namespace {

constexpr std::size_t kCodePos = 31;
constexpr std::size_t kPeriodPos = 16;
constexpr std::size_t kTileMarkPos = 19;
// "_TVVHH": the vertical tile number comes first.
constexpr std::size_t kTileVPos = 21;
constexpr std::size_t kTileHPos = 23;

struct sgli_code {
    std::string_view code;
    productType kind;
    bool dailyTileOnly;
};

// First match wins: "SST" covers both "SSTD" and "SSTN".
constexpr sgli_code kCodes[] = {
    {"VNR", PT_SGLI_VNR, false},   {"POL", PT_SGLI_POL, false},   {"IRS", PT_SGLI_IRS, false},
    {"NWLR", PT_SGLI_NWLR, false}, {"IWPR", PT_SGLI_IWPR, false}, {"SST", PT_SGLI_SST, false},
    {"LTOA", PT_SGLI_LTOA, true},  {"RSRF", PT_SGLI_RSRF, true},  {"LST", PT_SGLI_LST, true},
    {"CLFG", PT_SGLI_CLFG, true},
};

bool text_at(std::string_view name, std::size_t pos, std::string_view text)
{
    return pos <= name.size() && name.substr(pos, text.size()) == text;
}

bool is_digit_at(std::string_view name, std::size_t pos)
{
    return pos < name.size() && name[pos] >= '0' && name[pos] <= '9';
}

// Two decimal digits at pos, tens first.
std::int32_t two_digits(std::string_view name, std::size_t pos)
{
    return (name[pos] - '0') * 10 + (name[pos + 1] - '0');
}

bool has_tile_digits(std::string_view name)
{
    for (std::size_t i = kTileVPos; i < kTileHPos + 2; ++i) {
        if (!is_digit_at(name, i)) return false;
    }
    return true;
}

} // namespace

sgli_name_info decode_sgli_product_name(std::string_view name)
{
    sgli_name_info info;
    const bool daily = text_at(name, kPeriodPos, "01D");
    for (const auto& c : kCodes) {
        if ((!c.dailyTileOnly || daily) && text_at(name, kCodePos, c.code)) {
            info.kind = c.kind;
            break;
        }
    }
    // A damaged name without four digits is no tile rather than a tile with
    // made-up numbers.
    if (text_at(name, kTileMarkPos, "_T") && has_tile_digits(name)) {
        info.tile = true;
        info.tileH = two_digits(name, kTileHPos);
        info.tileV = two_digits(name, kTileVPos);
    }
    return info;
}

} // namespace vardane
