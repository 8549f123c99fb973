#pragma once

#include <string>
#include <vector>

struct input_expansion {
    std::vector<std::string> files;
    std::string error; // the first input that is neither a file nor a folder
};

// Files as given; a folder stands for the files directly inside it (not its
// sub-folders), sorted by name byte-wise.
input_expansion expand_inputs(const std::vector<std::string>& inputs);
