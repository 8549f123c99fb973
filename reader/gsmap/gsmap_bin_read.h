#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "reader/jasmes/binary_rows.h"
#include "reader/product_description.h"
#include "util/bulk_vector.h"

namespace vardane {

// Reads a GSMaP flat-binary grid of columns x rows little-endian floats.
// Each stored row starts at 0 degrees longitude; the delivered row starts at
// 180 degrees west, so every row is rotated by half its length. Values are
// passed on unchanged. Reads the first grid of a file that holds more, or
// only its rows `part` when given. False when the file holds fewer samples
// or the part lies outside the grid.
bool read_gsmap_grid(binary_rows& file, std::uint32_t columns, std::uint32_t rows, std::optional<row_span> part,
                     bulk_vector<float>& out);

} // namespace vardane
