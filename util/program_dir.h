#pragma once

#include <string>

// Folder holding the running executable, without a trailing separator.
// Independent of the current directory, which the run driver changes.
std::string getCurrentDir();
