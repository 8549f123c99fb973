#pragma once

#include <string>

#include "driver/product_rules.h"
#include "output/swath_geolocation.h"
#include "reader/spinfo.h"

namespace vardane {

// The geolocation the run hands the swath writer for a product, read as the
// driver reads it before the first variable: the arrays of the kind's rule,
// the co-registration factors and the tile numbers. A read that fails
// throws pybind11::value_error naming the file and the cause.
swath_geolocation read_geolocation(spinfo& info, const std::string& path, const product_rule& rule);

// The cause of the product's last failed read, with its file.
std::string read_cause(const spinfo& info, const std::string& path);

} // namespace vardane
