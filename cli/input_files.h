#pragma once

#include <string>
#include <vector>

namespace vardane {

struct input_expansion {
    std::vector<std::string> files;
    std::vector<std::string> missing; // inputs that are neither a file nor a readable folder
};

// Files as given; a folder stands for the files directly inside it (not its
// sub-folders), sorted by name byte-wise. An input that cannot be listed is
// set aside, so that the others still run.
input_expansion expand_inputs(const std::vector<std::string>& inputs);

} // namespace vardane
