#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vardane {

class nc_file;

struct dimmap_t {
    int id = -1;
    std::uint64_t length = 0;
};

// The dimensions of one netCDF file as its variables are defined: named ones
// from the variable catalogue, shared by name; the others shared by length as
// "phony_dim_0", "phony_dim_1", ... in the order they are first needed.
class nc_dimensions {
public:
    // Dimension ids for the variable varName of the given lengths, slowest
    // first. names is the catalogue's list for the variable, or null. Fails,
    // naming the variable, when the list's length differs from the rank or a
    // named dimension already has another length: the data would not fit.
    bool define(nc_file& file, const std::string& varName, const std::vector<std::string>* names,
                const std::vector<std::uint64_t>& lengths, std::vector<int>& ids);

    // A named dimension defined so far, or null.
    const dimmap_t* find(const std::string& name) const;

    // Defines a named dimension (it must be new).
    bool add(nc_file& file, const std::string& name, std::uint64_t length);

private:
    bool named(nc_file& file, const std::string& varName, const std::string& name, std::uint64_t length, int& id);
    bool unnamed(nc_file& file, std::uint64_t length, int& id);

    std::map<std::string, dimmap_t> named_;
    std::map<std::uint64_t, int> unnamed_;
    int counter_ = 0;
};

} // namespace vardane
