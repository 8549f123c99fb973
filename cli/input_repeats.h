#pragma once

#include <string>
#include <vector>

namespace vardane {

// An input named again: the same file (same real path) as an earlier one,
// in other words ("in/a.h5" and "./in/a.h5", or a link to it).
struct input_repeat {
    std::string path;  // as named the second time
    std::string first; // as named the first time
};

// Removes from `paths` every path that names the same file as an earlier
// one, keeping the order of the first ones, and returns what it removed. A
// file converted twice in one run would fail its second time (its outputs'
// names are taken), and in a report its later failure would hide the
// earlier success: so a repeat is converted once and only noted.
std::vector<input_repeat> drop_repeats(std::vector<std::string>& paths);

} // namespace vardane
