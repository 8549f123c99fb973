#include "cli/input_list.h"

#include <fstream>
#include <iostream>

namespace vardane {

std::vector<std::string> read_input_list(std::istream& in)
{
    std::vector<std::string> paths;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        paths.push_back(line);
    }
    return paths;
}

std::optional<std::vector<std::string>> load_input_list(const std::string& source)
{
    if (source == "-") {
        auto paths = read_input_list(std::cin);
        if (std::cin.bad()) return std::nullopt;
        return paths;
    }
    std::ifstream file(source);
    if (!file) return std::nullopt;
    auto paths = read_input_list(file);
    if (file.bad()) return std::nullopt;
    return paths;
}

} // namespace vardane
