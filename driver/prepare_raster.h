#pragma once

#include <cstdint>

#include "reader/product_types.h"

namespace vardane {

class spinfo;
class spout;

// Hands the buffer the last read filled to the output raster through the
// loader of its sample type: a float or 16-bit plane is handed over whole
// and leaves the reader's buffer empty; bytes are copied. False when the
// read did not deliver as many samples as its shape promises, or the loader
// refused the data.
bool prepare_raster(spinfo& info, spout& out, std::int32_t dtype, const productInfo_t& product);

} // namespace vardane
