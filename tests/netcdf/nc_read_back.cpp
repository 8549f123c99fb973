#include "netcdf/nc_read_back.h"

#include <netcdf.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace vardane {

namespace nc_test {

nc_reader::nc_reader(const std::string& path)
{
    if (nc_open(path.c_str(), NC_NOWRITE, &id_) != NC_NOERR) id_ = -1;
}

nc_reader::~nc_reader()
{
    if (id_ >= 0) nc_close(id_);
}

std::vector<double> nc_reader::values(const std::string& var) const
{
    int v = -1, ndims = 0;
    int dims[NC_MAX_VAR_DIMS];
    if (nc_inq_varid(id_, var.c_str(), &v) != NC_NOERR
        || nc_inq_var(id_, v, nullptr, nullptr, &ndims, dims, nullptr) != NC_NOERR)
        return {};
    std::size_t count = 1;
    for (int i = 0; i < ndims; ++i) {
        size_t length = 0;
        nc_inq_dimlen(id_, dims[i], &length);
        count *= length;
    }
    std::vector<double> out(count);
    if (nc_get_var_double(id_, v, out.data()) != NC_NOERR) return {};
    return out;
}

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

} // namespace vardane
