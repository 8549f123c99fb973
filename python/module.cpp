// vardane._vardane: the compiled half of the Python package `vardane`.
#include "python/bindings.h"
#include "util/trace_stream.h"

// The interpreter looks the module's entry point up by its C name, so the
// macro stays at global scope; everything it calls is in namespace vardane.

PYBIND11_MODULE(_vardane, module)
{
    // The readers run in the interpreter's own process, whose standard
    // streams are the user's: their announcements of what they read and the
    // geolocation's warnings stay out of them.
    vardane::set_trace_enabled(false);
    module.doc() = "Vardane's readers and batch converter (see the package vardane)";
    vardane::bind_identify(module);
    vardane::bind_convert(module);
    vardane::bind_grid_read(module);
    vardane::bind_swath_read(module);
    vardane::bind_regrid(module);
}
