#pragma once

#include <optional>
#include <string_view>

namespace vardane {

// Which polar-stereographic grid a run warps global latitude/longitude
// grids onto. `quick_look` is the thinned two-step view the program has
// always drawn; the others warp the full grid once per hemisphere:
// `native` at the source's own resolution, the rest onto the published
// NSIDC sea-ice and EASE-Grid 2.0 grids, so that the outputs stack pixel
// for pixel with the products of those grids.
enum class polar_grid { quick_look, native, nsidc_25km, nsidc_12_5km, ease2_25km };

// The grid's name as typed on the command line ("quick-look", "native",
// "nsidc-25km", "nsidc-12.5km", "ease2-25km"), and back; nothing for any
// other text.
std::string_view polar_grid_name(polar_grid grid);
std::optional<polar_grid> polar_grid_named(std::string_view name);

// Every choice, in the order the command line's help and the window list
// them.
inline constexpr polar_grid kPolarGrids[] = {polar_grid::quick_look, polar_grid::native, polar_grid::nsidc_25km,
                                             polar_grid::nsidc_12_5km, polar_grid::ease2_25km};

} // namespace vardane
