#pragma once
// Synthetic products written through the vardane-synth registry.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "synth_registry.h"

namespace vardane {

namespace test_support {

using synth_variants = std::vector<std::pair<std::string, std::string>>;

// Writes a product of the named kind in the given internal layout, its
// content from `seed`; returns its path, or "" when the generator does not
// know the kind or could not write it.
std::string write_synthetic(const std::string& kind, const std::filesystem::path& path, synth_variants variants = {},
                            synth_layout layout = synth_layout::ours, std::uint32_t seed = 1);

} // namespace test_support

} // namespace vardane
