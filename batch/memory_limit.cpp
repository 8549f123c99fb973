#include "batch/memory_limit.h"

#include <charconv>
#include <sys/resource.h>
#include <unistd.h>

namespace vardane {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

std::uint64_t physical_memory()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

} // namespace

std::optional<std::uint64_t> parse_memory_size(std::string_view text)
{
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr == text.data()) return std::nullopt;
    int shift = 0;
    if (ptr + 1 == end) {
        switch (*ptr) {
        case 'k':
        case 'K': shift = 10; break;
        case 'm':
        case 'M': shift = 20; break;
        case 'g':
        case 'G': shift = 30; break;
        default: return std::nullopt;
        }
    } else if (ptr != end) {
        return std::nullopt;
    }
    if (shift > 0 && value > (~std::uint64_t{0} >> shift)) return std::nullopt;
    return value << shift;
}

std::uint64_t default_memory_limit(int jobs)
{
    if (kAddressSanitizer) return 0;
    // Half: the other half is left to the parent, the page cache that the
    // conversions read and write through, and whatever else the machine
    // runs; a worker allowed all of it would push the machine into the
    // kernel's OOM killer instead of failing its own file.
    const std::uint64_t share = physical_memory() / 2 / static_cast<std::uint64_t>(jobs > 0 ? jobs : 1);
    return share > kMemoryLimitFloor ? share : kMemoryLimitFloor;
}

bool apply_memory_limit(std::uint64_t bytes)
{
    if (bytes == 0) return true;
    if (kAddressSanitizer) return false;
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0) return false;
    // A lower limit set from outside (ulimit -v) stays.
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < bytes) bytes = limit.rlim_max;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < bytes) return true;
    limit.rlim_cur = bytes;
    return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

} // namespace vardane
