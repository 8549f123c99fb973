#pragma once

#include <pybind11/pybind11.h>

namespace vardane {

// Each part of the module adds its functions to it.
void bind_identify(pybind11::module_& module);
void bind_convert(pybind11::module_& module);
void bind_grid_read(pybind11::module_& module);
void bind_swath_read(pybind11::module_& module);
void bind_regrid(pybind11::module_& module);

} // namespace vardane
