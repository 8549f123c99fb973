#pragma once

#include <memory>

#include <cairo.h>

// Owning handles for cairo objects: each is released on every path.
struct cairo_surface_releaser {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using cairo_surface_ptr = std::unique_ptr<cairo_surface_t, cairo_surface_releaser>;

struct cairo_context_releaser {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using cairo_context_ptr = std::unique_ptr<cairo_t, cairo_context_releaser>;

// A surface that cairo could not make or load comes back in an error state
// rather than as nullptr; this tells both apart from a usable one.
inline bool usable(const cairo_surface_ptr& s)
{
    return s && cairo_surface_status(s.get()) == CAIRO_STATUS_SUCCESS;
}
