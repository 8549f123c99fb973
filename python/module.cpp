// vardane._vardane: the compiled half of the Python package `vardane`.
#include "python/bindings.h"

// The interpreter looks the module's entry point up by its C name, so the
// macro stays at global scope; everything it calls is in namespace vardane.

PYBIND11_MODULE(_vardane, module)
{
    module.doc() = "Vardane's readers and batch converter (see the package vardane)";
    vardane::bind_identify(module);
    vardane::bind_convert(module);
    vardane::bind_grid_read(module);
    vardane::bind_regrid(module);
}
