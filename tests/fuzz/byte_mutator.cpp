#include "fuzz/byte_mutator.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vardane {

namespace fuzz {

namespace {

constexpr std::size_t kHeadBytes = 8192;

// Values that break size and count arithmetic, little- and big-endian alike.
constexpr std::array<std::uint64_t, 10> kBoundaries = {
    0, 1, 0x7F, 0xFF, 0x7FFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF, 0x7FFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull};

} // namespace

std::size_t byte_mutator::below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

std::size_t byte_mutator::pick_offset(std::size_t size)
{
    if (below(2) == 0) return below(std::min(size, kHeadBytes));
    return below(size);
}

void byte_mutator::flip_bits(std::vector<unsigned char>& b, std::string& what)
{
    const std::size_t n = 1 + below(4);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = pick_offset(b.size());
        b[at] ^= static_cast<unsigned char>(1u << below(8));
        what += " flip@" + std::to_string(at);
    }
}

void byte_mutator::boundary_value(std::vector<unsigned char>& b, std::string& what)
{
    static constexpr std::size_t widths[] = {1, 2, 4, 8};
    const std::size_t width = std::min(widths[below(4)], b.size());
    const std::size_t at = pick_offset(b.size() - width + 1);
    const std::uint64_t v = kBoundaries[below(kBoundaries.size())];
    const bool bigEndian = below(2) == 1;
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t shift = 8 * (bigEndian ? width - 1 - i : i);
        b[at + i] = static_cast<unsigned char>((v >> shift) & 0xFF);
    }
    what += " value" + std::to_string(width) + "@" + std::to_string(at);
}

void byte_mutator::change_digit(std::vector<unsigned char>& b, std::string& what)
{
    // Text headers carry sizes and scales as digits: change one of them, or
    // put a sign or a separator in its place.
    const std::size_t head = std::min(b.size(), kHeadBytes);
    std::vector<std::size_t> digits;
    for (std::size_t i = 0; i < head; ++i) {
        if (b[i] >= '0' && b[i] <= '9') digits.push_back(i);
    }
    if (digits.empty()) return flip_bits(b, what);
    const std::size_t at = digits[below(digits.size())];
    static constexpr char replacements[] = "0123456789-.,9 e";
    b[at] = static_cast<unsigned char>(replacements[below(sizeof replacements - 1)]);
    what += " digit@" + std::to_string(at);
}

void byte_mutator::truncate(std::vector<unsigned char>& b, std::string& what)
{
    const std::size_t keep = below(2) == 0 ? below(std::min(b.size(), kHeadBytes)) : below(b.size());
    b.resize(keep);
    what += " truncate:" + std::to_string(keep);
}

void byte_mutator::extend(std::vector<unsigned char>& b, std::string& what)
{
    const std::size_t n = 1 + below(4096);
    const unsigned char fill = below(2) == 0 ? 0 : static_cast<unsigned char>(below(256));
    b.insert(b.end(), n, fill);
    what += " extend:" + std::to_string(n);
}

void byte_mutator::copy_block(std::vector<unsigned char>& b, std::string& what)
{
    const std::size_t len = std::min<std::size_t>(1 + below(64), b.size());
    const std::size_t from = pick_offset(b.size() - len + 1);
    const std::size_t to = pick_offset(b.size() - len + 1);
    std::memmove(b.data() + to, b.data() + from, len);
    what += " copy" + std::to_string(len) + ":" + std::to_string(from) + ">" + std::to_string(to);
}

std::vector<unsigned char> byte_mutator::mutate(const std::vector<unsigned char>& original, std::string& what)
{
    std::vector<unsigned char> b = original;
    const std::size_t rounds = 1 + below(3);
    for (std::size_t r = 0; r < rounds; ++r) {
        if (b.empty()) {
            extend(b, what);
            continue;
        }
        switch (below(8)) {
        case 0:
        case 1: flip_bits(b, what); break;
        case 2:
        case 3: boundary_value(b, what); break;
        case 4: change_digit(b, what); break;
        case 5: truncate(b, what); break;
        case 6: extend(b, what); break;
        default: copy_block(b, what); break;
        }
    }
    return b;
}

} // namespace fuzz

} // namespace vardane
