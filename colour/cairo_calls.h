#pragma once

#include <string>

#include <cairo.h>

// The cairo functions the legend pictures use, resolved from the library
// when the first picture is drawn. cairo is not linked: it brings X11 and
// ten other libraries whose loading cost every start of the program some
// 7 ms of CPU (an eighth of its start-up), while only a run that makes a
// colour table draws anything.
#define VARDANE_CAIRO_CALLS(X)                                                                                         \
    X(create)                                                                                                          \
    X(destroy)                                                                                                         \
    X(paint)                                                                                                           \
    X(fill)                                                                                                            \
    X(rectangle)                                                                                                       \
    X(move_to)                                                                                                         \
    X(show_text)                                                                                                       \
    X(set_source_rgb)                                                                                                  \
    X(set_source_rgba)                                                                                                 \
    X(select_font_face)                                                                                                \
    X(set_font_size)                                                                                                   \
    X(font_extents)                                                                                                    \
    X(image_surface_create)                                                                                            \
    X(image_surface_create_from_png)                                                                                   \
    X(surface_write_to_png)                                                                                            \
    X(surface_flush)                                                                                                   \
    X(surface_status)                                                                                                  \
    X(surface_destroy)

namespace vardane {

// cairo_NAME is called as calls.NAME.
struct cairo_calls {
// NOLINTNEXTLINE(bugprone-macro-parentheses): the argument is the member's name, not an expression.
#define VARDANE_CAIRO_MEMBER(name) decltype(&::cairo_##name) name = nullptr;
    VARDANE_CAIRO_CALLS(VARDANE_CAIRO_MEMBER)
#undef VARDANE_CAIRO_MEMBER
};

// The calls, loaded once for the process; nullptr when the library or one of
// its functions cannot be found, and then `problem` says why.
const cairo_calls* cairo_library(std::string& problem);

} // namespace vardane
