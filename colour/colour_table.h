#pragma once

#include <string>
#include <vector>

#include "colour/color_map.h"

// Read a ".clt" colour table. Throws vdn_exception("cannot open file: " + path)
// when the file cannot be opened.
std::vector<color_map> GetColorMap(const std::string& path);
