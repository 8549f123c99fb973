#include "netcdf/golden_header.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace nc_test {

namespace {

std::string without_first_line(const std::string& text)
{
    const auto end = text.find('\n');
    return end == std::string::npos ? std::string{} : text.substr(end + 1);
}

} // namespace

std::string ncdump_header(const std::string& ncPath)
{
    std::string text;
    FILE* pipe = ::popen(("ncdump -h '" + ncPath + "'").c_str(), "r");
    if (!pipe) return text;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    ::pclose(pipe);
    return without_first_line(text);
}

std::string golden_header(const std::string& name)
{
    std::ifstream in(std::string(VARDANE_SOURCE_DIR) + "/tests/netcdf/golden/" + name + ".cdl");
    std::stringstream text;
    text << in.rdbuf();
    return without_first_line(text.str());
}

} // namespace nc_test
