#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vardane {

// What tells an input's content from the content it had when it was
// converted, short of reading it again: its size and modification time.
struct input_stamp {
    std::uintmax_t size = 0;
    std::int64_t mtimeNs = 0; // nanoseconds since 1970-01-01 UTC
    bool operator==(const input_stamp&) const = default;
};

// The stamp of the file at `path` now; nothing when it cannot be read.
std::optional<input_stamp> stamp_of(const std::string& path);

} // namespace vardane
