#pragma once

#include <cstdint>

namespace vardane {

// One colour class of a colour table. Whether a value on a bound belongs to
// the class is the caller's choice (see colour_match.h); a class whose
// bounds are equal takes the values below it or every value that reaches it.
struct color_map {
    float lower = 0.0f;
    float upper = 0.0f;
    std::int32_t r = 0; // 0 .. 255
    std::int32_t g = 0;
    std::int32_t b = 0;
    std::int32_t a = 0; // opacity
};

} // namespace vardane
