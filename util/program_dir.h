#pragma once

#include <string>

namespace vardane {

// Folder holding the running executable, without a trailing separator.
// Read from /proc/self/exe, so a program started from any folder (or through
// a link) finds its data beside itself rather than in the current directory.
std::string getCurrentDir();

// True when programFolder is the bin folder of an installed prefix, that is
// when programFolder/../share/vardane exists. An installed program keeps no
// user files beside itself, even when it could write there (run as root).
bool is_installed_layout(const std::string& programFolder);

} // namespace vardane
