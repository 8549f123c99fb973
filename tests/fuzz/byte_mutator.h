#pragma once
// Deterministic byte-level mutations of a product file: bit flips, boundary
// values written over size-like fields, digit changes in text headers,
// truncation, extension and block copies. The same seed always gives the
// same mutant, so a failing mutant can be written out again and examined.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace vardane {

namespace fuzz {

class byte_mutator {
public:
    explicit byte_mutator(std::uint32_t seed) : rng_(seed) {}

    // A mutant of `original`; `what` receives a short description of the
    // mutations applied, for failure messages.
    std::vector<unsigned char> mutate(const std::vector<unsigned char>& original, std::string& what);

private:
    // Offsets favour the first few kilobytes, where headers, superblocks and
    // descriptor blocks live; the rest of the file is mostly samples.
    std::size_t pick_offset(std::size_t size);
    std::size_t below(std::size_t n); // uniform in [0, n), n > 0

    void flip_bits(std::vector<unsigned char>& b, std::string& what);
    void boundary_value(std::vector<unsigned char>& b, std::string& what);
    void change_digit(std::vector<unsigned char>& b, std::string& what);
    void truncate(std::vector<unsigned char>& b, std::string& what);
    void extend(std::vector<unsigned char>& b, std::string& what);
    void copy_block(std::vector<unsigned char>& b, std::string& what);

    std::mt19937 rng_;
};

} // namespace fuzz

} // namespace vardane
