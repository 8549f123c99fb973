#pragma once

#include <string>

namespace vardane {

// Where the settings file lives: "vdn-config.dat" in the program folder when
// that folder is writable (build tree, portable install), otherwise
// $XDG_CONFIG_HOME/vardane/vdn-config.dat (default ~/.config/vardane/...).
// An installed program (bin/ beside share/vardane) always uses the user's
// folder: the installation is never written, not even by root.
std::string default_config_path();

// The same rule for the program folder given.
std::string config_path_for(const std::string& programFolder);

// Creates the folder that will hold path, if missing. False when it cannot.
bool create_parent_folder(const std::string& path);

} // namespace vardane
