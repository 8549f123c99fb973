#pragma once
// Byte checksums of the GeoTIFFs that vardane-cli --geotiff writes for the
// synthetic gridded products, taken before the gridded path was tuned for
// speed. The outputs must stay byte for byte what they were: same samples,
// same tags, same byte order.

#include <cstdint>
#include <span>

#include "support/synthetic_file.h"

namespace vardane {

namespace integration {

// A gridded product converted with the default settings.
struct gridded_input {
    const char* kind;     // vardane-synth kind
    const char* fileName; // input file name (GSMaP binaries are known by theirs)
    test_support::synth_variants variants;
};

// One output file and the FNV-1a (64-bit) hash of its bytes.
struct pinned_output {
    const char* fileName;
    std::uint64_t fnv1a;
};

std::span<const gridded_input> gridded_inputs();
std::span<const pinned_output> pinned_outputs();

} // namespace integration

} // namespace vardane
