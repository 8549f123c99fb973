#include "netcdf/attribute_translation.h"

#include <string_view>

namespace vardane {

namespace {

struct text_pair {
    std::string_view from;
    std::string_view to;
};

constexpr text_pair kLongNames[] = {
    {"Land_Ocean Flag 6 to 36", "Land/Ocean Flag 6 to 36"},
    {"Land_Ocean Flag 89", "Land/Ocean Flag 89"},
    {"Rx Offset_Gain Count", "Rx Offset/Gain Count"},
};

// Degrees take their axis from the dataset they describe.
constexpr text_pair kDegreeAxes[] = {
    {"Latitude", "degrees_north"},
    {"Longitude", "degrees_east"},
};
constexpr std::string_view kDegrees = "deg";
constexpr std::string_view kPlainDegrees = "degrees";

constexpr text_pair kUnits[] = {
    {"Kg/m2", "kg/m^2"},
    {"C", "degrees_Celsius"},
};

constexpr std::string_view kScanTimeVariable = "Scan_Time";
constexpr std::string_view kScanTimeUnits = "days since 1993-1-1 0:0:0";

constexpr text_pair kFloatAttributeNames[] = {
    {"SCALE FACTOR", "scale_factor"},
};

template <std::size_t N>
const text_pair* find(const text_pair (&table)[N], std::string_view key)
{
    for (const auto& row : table) {
        if (row.from == key) return &row;
    }
    return nullptr;
}

} // namespace

std::string long_name_of(const std::string& rawName)
{
    const text_pair* row = find(kLongNames, rawName);
    return row ? std::string(row->to) : rawName;
}

std::optional<std::string> units_of(const std::string& rawName, const std::string& varName, const std::string& unit)
{
    if (unit.empty()) return std::nullopt;
    if (unit == kDegrees) {
        for (const auto& axis : kDegreeAxes) {
            if (rawName.find(axis.from) != std::string::npos) return std::string(axis.to);
        }
        return std::string(kPlainDegrees);
    }
    if (const text_pair* row = find(kUnits, unit)) return std::string(row->to);
    if (varName == kScanTimeVariable) return std::string(kScanTimeUnits);
    return unit;
}

std::string float_attribute_name(const std::string& h5Name)
{
    const text_pair* row = find(kFloatAttributeNames, h5Name);
    return row ? std::string(row->to) : h5Name;
}

} // namespace vardane
