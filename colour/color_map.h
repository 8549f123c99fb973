#pragma once

#include <cstdint>

// One colour class of a colour table: values in [lower, upper) get this colour.
struct color_map {
    double lower = 0.0;
    double upper = 0.0;
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};
