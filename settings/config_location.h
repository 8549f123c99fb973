#pragma once

#include <string>

// Where the settings file lives: "vdn-config.dat" in the program folder when
// that folder is writable (build tree, portable install), otherwise
// $XDG_CONFIG_HOME/vardane/vdn-config.dat (default ~/.config/vardane/...).
std::string default_config_path();

// Creates the folder that will hold path, if missing. False when it cannot.
bool create_parent_folder(const std::string& path);
