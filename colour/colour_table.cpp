#include "colour/colour_table.h"

#include <fstream>

#include "util/vdn_exception.h"

std::vector<color_map> GetColorMap(const std::string& path)
{
    std::ifstream in(path);
    if (!in) throw vdn_exception("cannot open file: " + path);
    return {};
}
