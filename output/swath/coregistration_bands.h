#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vardane {

// The band key of the co-registration factors for each low-frequency
// variable (index = the variable's data-source index): H and V of a
// frequency share one key.
inline constexpr std::array<std::string_view, 12> kCoregistrationBands = {
    "6G", "6G", "7G", "7G", "10G", "10G", "18G", "18G", "23G", "23G", "36G", "36G",
};

// The file attributes holding the factors A1 and A2 of every band key.
inline constexpr const char* kCoRegistrationA1 = "CoRegistrationParameterA1";
inline constexpr const char* kCoRegistrationA2 = "CoRegistrationParameterA2";

// Highest variable index that is co-registered; higher ones are the 89 GHz
// channels on their own positions.
inline constexpr std::int32_t kLastCoregisteredIndex = 11;

} // namespace vardane
