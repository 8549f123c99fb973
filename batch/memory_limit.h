#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vardane {

// The address-space limit of a worker process. A file whose conversion
// would take more memory than the limit then meets a failed allocation
// (std::bad_alloc, or a library call that fails): that file's failure, not
// the machine's memory running out under every worker.

// "BYTES", or a whole number followed by K, M or G (binary multiples, either
// case): "1073741824", "512M", "2G". 0 means no limit. Nothing when the text
// is not such a size or overflows.
std::optional<std::uint64_t> parse_memory_size(std::string_view text);

// Below this a worker cannot map the libraries it converts with; a default
// never goes lower.
inline constexpr std::uint64_t kMemoryLimitFloor = std::uint64_t{1} << 30;

// The limit of each worker when none is asked for: half the physical memory,
// shared by `jobs` workers, at least kMemoryLimitFloor. 0 (no limit) in a
// build with AddressSanitizer, which reserves terabytes of address space for
// its shadow memory.
std::uint64_t default_memory_limit(int jobs);

// Limits this process's address space to `bytes` (0: leaves it as it is).
// False when the system refuses, and in a build with AddressSanitizer, whose
// shadow memory is beyond any limit already: there a limit would end the
// process at its next allocation, and none is set.
bool apply_memory_limit(std::uint64_t bytes);

} // namespace vardane
