#include "support/synthetic_file.h"

#include "synth_registry.h"

namespace vardane {

namespace test_support {

std::string write_synthetic(const std::string& kind, const std::filesystem::path& path, synth_variants variants,
                            synth_layout layout, std::uint32_t seed)
{
    for (const auto& k : all_synth_kinds()) {
        if (k.name != kind) continue;
        synth_options options;
        options.variants = std::move(variants);
        options.layout = layout;
        options.seed = seed;
        return k.write(path.string(), options) ? path.string() : std::string();
    }
    return {};
}

} // namespace test_support

} // namespace vardane
