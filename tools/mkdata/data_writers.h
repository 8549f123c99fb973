#pragma once

#include <filesystem>

namespace vardane {

// The parts of the data folder, each written by its own source file. Each
// returns false (after saying why on standard error) when a file could not
// be written.

// Built-in colour tables NAME.clt, their legend pictures NAME.png and the
// two legend backgrounds.
bool write_colour_data(const std::filesystem::path& folder);

// The polar coordinate tables pn_lat_01.csv ... of the polar L3 grids.
bool write_polar_tables(const std::filesystem::path& folder);

} // namespace vardane
