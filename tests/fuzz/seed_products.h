#pragma once
// The synthetic products the fuzz driver mutates: every kind of
// vardane-synth at its small test size, plus variants that take other paths
// through the readers (grids, layouts, string storage, sample widths).

#include <string>
#include <utility>
#include <vector>

namespace vardane {

namespace fuzz {

struct seed_product {
    std::string kind;     // vardane-synth kind
    std::string fileName; // GSMaP binary files are recognised by name
    std::vector<std::pair<std::string, std::string>> variants;
};

std::vector<seed_product> seed_products();

} // namespace fuzz

} // namespace vardane
