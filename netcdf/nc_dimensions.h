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
// from the variable catalogue, shared by name. An axis of a variable the
// catalogue does not name takes the named dimension of its length when that
// is at least 100 (scans, samples, grid lines and pixels) and one alone has
// it, or an earlier variable had it at the same axis; the remaining axes are shared
// by length as "phony_dim_0", "phony_dim_1", ... in the order they are first
// needed.
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
    // The named dimension an unnamed axis takes, other than those in
    // `taken`; -1 when none or several fit.
    int named_at(std::size_t axis, std::uint64_t length, const std::vector<int>& taken) const;

    std::map<std::string, dimmap_t> named_;
    struct named_axis {
        std::size_t axis;
        int id;
        std::uint64_t length;
    };
    std::vector<named_axis> namedAxes_; // in the order variables used them
    std::map<std::uint64_t, int> unnamed_;
    int counter_ = 0;
};

} // namespace vardane
