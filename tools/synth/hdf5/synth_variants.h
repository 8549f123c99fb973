#pragma once
// Reading the --set KEY=VALUE variant options of the HDF5 writers. A bad value
// throws std::invalid_argument naming the key, which the registry reports.

#include <string>

#include "h5_writer.h"
#include "synth_registry.h"

namespace vardane {

namespace synth_variants {

// Integer option within [min, max], or fallback when not given.
int integer(const synth_options& o, const std::string& key, int fallback, int min, int max);

// "strings=vlen" or "strings=fixed": layout of the text attributes of the root group.
synth_h5::string_layout string_layout(const synth_options& o, synth_h5::string_layout fallback);

// Pair of integers "AxB" (or a single "A", giving A x 1).
struct pair {
    int a;
    int b;
};
pair integer_pair(const synth_options& o, const std::string& key, pair fallback, int max_each);

} // namespace synth_variants

} // namespace vardane
