#pragma once

#include <memory>

#include "colour/cairo_calls.h"

namespace vardane {

// Owning handles for cairo objects: each is released on every path, through
// the calls that made it.
struct cairo_surface_releaser {
    const cairo_calls* calls = nullptr;
    void operator()(cairo_surface_t* s) const { calls->surface_destroy(s); }
};
using cairo_surface_ptr = std::unique_ptr<cairo_surface_t, cairo_surface_releaser>;

struct cairo_context_releaser {
    const cairo_calls* calls = nullptr;
    void operator()(cairo_t* c) const { calls->destroy(c); }
};
using cairo_context_ptr = std::unique_ptr<cairo_t, cairo_context_releaser>;

inline cairo_surface_ptr owned(const cairo_calls& calls, cairo_surface_t* s) { return {s, {&calls}}; }
inline cairo_context_ptr owned(const cairo_calls& calls, cairo_t* c) { return {c, {&calls}}; }

// A surface that cairo could not make or load comes back in an error state
// rather than as nullptr; this tells both apart from a usable one.
inline bool usable(const cairo_surface_ptr& s)
{
    return s && s.get_deleter().calls->surface_status(s.get()) == CAIRO_STATUS_SUCCESS;
}

} // namespace vardane
