#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "reader/product_description.h"
#include "reader/reader_registry.h"

namespace vardane {

namespace family_probe {

// What happened when a file was offered to the families of the registry in
// their order: which family identified it (-1 none), what its reader found
// and the failure it gave. Straight through the reader interface, without
// spinfo.
struct outcome {
    int family = -1;
    product_description description;
    failure why;
};

inline outcome offer(const std::string& path, std::uintmax_t size)
{
    outcome o;
    const auto families = reader_families();
    for (std::size_t i = 0; i < families.size(); ++i) {
        const auto reader = families[i].make();
        if (!reader->identify(path, size)) continue;
        o.family = static_cast<int>(i);
        o.why = reader->open(path, size, o.description);
        break;
    }
    return o;
}

inline outcome offer(const std::filesystem::path& path)
{
    return offer(path.string(), std::filesystem::file_size(path));
}

// Name of the family that identifies a file; "" when none does.
inline std::string family_of(const std::filesystem::path& path)
{
    const int f = offer(path).family;
    return f < 0 ? std::string() : std::string(reader_families()[static_cast<std::size_t>(f)].name);
}

// The description the identifying family's reader gives for a file.
inline product_description describe(const std::filesystem::path& path) { return offer(path).description; }

} // namespace family_probe

} // namespace vardane
