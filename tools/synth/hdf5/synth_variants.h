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

// How the co-registration attributes of an L1 radiometer product are
// stored: "coreg=utf8" (a scalar variable-length UTF-8 string),
// "coreg=utf8-fixed" (a one-element fixed-length UTF-8 string) or
// "coreg=number" (a float, which is no text: present but unreadable);
// without the option, like the product's other text attributes.
enum class coregistration_form { as_text, utf8, utf8_fixed, number };
coregistration_form coregistration(const synth_options& o);

// Pair of integers "AxB" (or a single "A", giving A x 1).
struct pair {
    int a;
    int b;
};
pair integer_pair(const synth_options& o, const std::string& key, pair fallback, int max_each);

} // namespace synth_variants

} // namespace vardane
