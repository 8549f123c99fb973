#pragma once

#include <filesystem>
#include <string>

#include "colour/clt_writer.h"
#include "settings/option_types.h"

namespace vardane {

// The folders of colour tables and legend pictures.
//
// The program's data folder "clt" lies beside the executable, in the
// installed layout (../share/vardane/clt) or in the build tree (../clt, the
// executables sit one folder below it). Tables the user makes go there too
// when it is writable and not an installation (build tree, unpacked
// folder), otherwise to the
// user's own folder $XDG_DATA_HOME/vardane/clt (default
// ~/.local/share/vardane/clt). A name is looked up in the user's folder
// first, so a user's table stands in for a built-in one of the same name.

// The program's data folder: the first candidate that exists, else the one
// beside the executable.
std::filesystem::path program_clt_folder();

// The user's folder; empty when neither $XDG_DATA_HOME nor $HOME is usable.
std::filesystem::path user_clt_folder();

// Where new tables and legends are written.
std::filesystem::path custom_clt_folder();

// The folders for making a user's table: written to custom_clt_folder(),
// legends drawn on the program's backgrounds.
clt_folders custom_table_folders();

// Makes the user's colour table NAME.clt and its legend for the colour-bar
// part of an option (range, linear or logarithmic) in the folder of
// custom_table_folders(), creating that folder when needed.
clt_written make_custom_table(const std::string& name, const optSet_t& option);

// Full path of a data file: the user's copy, else the program's. When
// neither exists, the path in the program's folder, so that a missing table
// is reported under the expected name.
std::string clt_file(const std::string& name);

} // namespace vardane
