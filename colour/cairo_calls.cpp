#include "colour/cairo_calls.h"

#include <dlfcn.h>

namespace vardane {

namespace {

constexpr const char* kCairoLibrary = "libcairo.so.2";

struct loaded_cairo {
    cairo_calls calls;
    std::string problem; // empty when every call was found
};

std::string last_dl_error()
{
    const char* text = ::dlerror();
    return text ? text : "unknown error";
}

loaded_cairo load()
{
    loaded_cairo result;
    // Kept open for the life of the process, as a linked library would be.
    void* library = ::dlopen(kCairoLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        result.problem = "cannot load " + std::string(kCairoLibrary) + ": " + last_dl_error();
        return result;
    }
#define VARDANE_CAIRO_RESOLVE(name)                                                                                    \
    result.calls.name = reinterpret_cast<decltype(result.calls.name)>(::dlsym(library, "cairo_" #name));               \
    if (!result.calls.name) {                                                                                          \
        result.problem = "no cairo_" #name " in " + std::string(kCairoLibrary);                                        \
        return result;                                                                                                 \
    }
    VARDANE_CAIRO_CALLS(VARDANE_CAIRO_RESOLVE)
#undef VARDANE_CAIRO_RESOLVE
    return result;
}

} // namespace

const cairo_calls* cairo_library(std::string& problem)
{
    static const loaded_cairo cairo = load();
    problem = cairo.problem;
    return cairo.problem.empty() ? &cairo.calls : nullptr;
}

} // namespace vardane
