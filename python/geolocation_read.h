#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "driver/product_rules.h"
#include "output/swath_geolocation.h"
#include "reader/spinfo.h"

namespace vardane {

// A product's geolocation as the calls on its file share it. Python code
// regrids or opens a product variable by variable, call after call: the
// geolocation of the last swath file asked for is kept while its path, size
// and modification time stay the same, so that its positions are read and
// its footprints co-registered once, not at every call.
struct shared_geolocation {
    swath_geolocation geo;
    // Held while asking geo for positions: that fills its co-registration
    // cache, which the calls of other threads read.
    std::mutex use;
};

// The kept geolocation of `path` (opened as `info`), read when it is not
// the kept one as the driver reads it for the swath writer before the
// first variable: the arrays of the kind's rule, the co-registration
// factors and the tile numbers. A read that fails throws
// pybind11::value_error naming the file and the cause.
std::shared_ptr<shared_geolocation> geolocation_of(spinfo& info, const std::string& path, const product_rule& rule);

} // namespace vardane
