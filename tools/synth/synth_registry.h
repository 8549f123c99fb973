#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vardane {

// The internal layout a writer gives its file: the generator's own reading of
// the product descriptions, or the structure of real products (attribute
// storage forms, compression, extra datasets and groups, real shapes with
// --full).
enum class synth_layout { ours, real };

// Options shared by every synthetic-product writer.
struct synth_options {
    bool full = false; // real product sizes instead of small test sizes
    synth_layout layout = synth_layout::ours;
    std::uint32_t seed = 1; // content seed
    // KEY=VALUE variant options (grid size, geophysical name, layer count ...),
    // interpreted by the writer of the kind.
    std::vector<std::pair<std::string, std::string>> variants;

    // Value of a variant option, or fallback when not given.
    std::string variant(const std::string& key, const std::string& fallback = "") const
    {
        for (const auto& [k, v] : variants) {
            if (k == key) return v;
        }
        return fallback;
    }
};

// One kind of synthetic product: the name matched case-insensitively on the
// command line, a one-line description, and the writer. A writer returns
// false (after printing why to standard error) when it could not write.
struct synth_kind {
    std::string name;
    std::string description;
    std::function<bool(const std::string& outfile, const synth_options& options)> write;
};

// Each family registers its kinds here.
void register_hdf5_kinds(std::vector<synth_kind>& kinds);
void register_jasmes_kinds(std::vector<synth_kind>& kinds);

// Every kind, in registration order.
std::vector<synth_kind> all_synth_kinds();

} // namespace vardane
