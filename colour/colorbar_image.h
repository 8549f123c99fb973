#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "colour/clt_folders.h"

namespace vardane {

// Legend picture of table `name`: a copy of the background for `type`
// ("Linear": colorbar_base10.png, anything else: colorbar_base.png) with the
// class bounds of tables/NAME.clt written on it in white, the first bound
// lowest, each label cut (not rounded) to its first five characters. Saved as
// tables/NAME.png, replacing an earlier one. A missing table leaves the
// labels out.
//
// Returns an empty text when the picture was saved, otherwise why not
// ("cannot open file: " + the background's path when it cannot be loaded).
std::string create_colorbar_img(const clt_folders& folders, const std::string& type, const std::string& name);

// The labels create_colorbar_img writes for a table file, first bound
// first: the first five characters of each bound text, up to the end of the
// file or its first empty line. None for a missing file.
std::vector<std::string> legend_labels(const std::filesystem::path& table);

} // namespace vardane
