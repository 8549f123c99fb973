#pragma once
// Reading a netCDF file back: its variables with the netCDF C library, its
// header with `ncdump -h` against a golden header of tests/netcdf/golden.

#include <string>
#include <vector>

namespace vardane {

namespace nc_test {

class nc_reader {
public:
    explicit nc_reader(const std::string& path);
    ~nc_reader();
    nc_reader(const nc_reader&) = delete;
    nc_reader& operator=(const nc_reader&) = delete;

    bool ok() const { return id_ >= 0; }
    // A whole variable converted to double by the library (signed bits);
    // empty when it is missing.
    std::vector<double> values(const std::string& var) const;

private:
    int id_ = -1;
};

// The header without its first line (which names the file).
std::string ncdump_header(const std::string& ncPath);
// The golden header NAME.cdl, without its first line; "" when missing.
std::string golden_header(const std::string& name);

} // namespace nc_test

} // namespace vardane
