#include "netcdf/nc_dimensions.h"

#include <netcdf.h>

#include <algorithm>

#include "netcdf/nc_file.h"

namespace vardane {

namespace {

constexpr const char* kUnnamedPrefix = "phony_dim_";
constexpr std::uint64_t kMinLengthToName = 100;

} // namespace

bool nc_dimensions::define(nc_file& file, const std::string& varName, const std::vector<std::string>* names,
                           const std::vector<std::uint64_t>& lengths, std::vector<int>& ids)
{
    if (names && names->size() != lengths.size()) {
        return file.fail("Dataset " + varName + " has " + std::to_string(lengths.size()) + " dimensions, "
                         + std::to_string(names->size()) + " expected.");
    }
    ids.assign(lengths.size(), -1);
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        if (names) {
            if (!named(file, varName, (*names)[i], lengths[i], ids[i])) return false;
            namedAxes_.push_back({i, ids[i], lengths[i]});
        } else if (ids[i] = named_at(i, lengths[i], ids); ids[i] < 0) {
            if (!unnamed(file, lengths[i], ids[i])) return false;
        }
    }
    return true;
}

int nc_dimensions::named_at(std::size_t axis, std::uint64_t length, const std::vector<int>& taken) const
{
    // Layer, plane and channel counts are small and too common to be told
    // apart by their length; scans, samples and grid lines are not.
    if (length < kMinLengthToName) return -1;
    // The named dimensions of this length not yet used by the variable; when
    // several have it, the one an earlier variable had at this axis.
    std::vector<int> candidates;
    for (const auto& a : namedAxes_) {
        if (a.length != length || std::find(taken.begin(), taken.end(), a.id) != taken.end()) continue;
        if (std::find(candidates.begin(), candidates.end(), a.id) == candidates.end()) candidates.push_back(a.id);
    }
    if (candidates.size() == 1) return candidates.front();
    for (const auto& a : namedAxes_) {
        if (a.axis == axis && std::find(candidates.begin(), candidates.end(), a.id) != candidates.end()) return a.id;
    }
    return -1;
}

const dimmap_t* nc_dimensions::find(const std::string& name) const
{
    const auto it = named_.find(name);
    return it == named_.end() ? nullptr : &it->second;
}

bool nc_dimensions::add(nc_file& file, const std::string& name, std::uint64_t length)
{
    int id = -1;
    if (!file.check(nc_def_dim(file.id(), name.c_str(), static_cast<size_t>(length), &id),
                    "cannot define dimension " + name)) {
        return false;
    }
    named_[name] = dimmap_t{id, length};
    return true;
}

bool nc_dimensions::named(nc_file& file, const std::string& varName, const std::string& name, std::uint64_t length,
                          int& id)
{
    if (const dimmap_t* known = find(name)) {
        if (known->length != length) {
            return file.fail("Dataset " + varName + " is " + std::to_string(length) + " long in dimension " + name
                             + ", which is " + std::to_string(known->length) + " long.");
        }
        id = known->id;
        return true;
    }
    if (!add(file, name, length)) return false;
    id = named_[name].id;
    return true;
}

bool nc_dimensions::unnamed(nc_file& file, std::uint64_t length, int& id)
{
    if (const auto it = unnamed_.find(length); it != unnamed_.end()) {
        id = it->second;
        return true;
    }
    const std::string name = kUnnamedPrefix + std::to_string(counter_);
    if (!file.check(nc_def_dim(file.id(), name.c_str(), static_cast<size_t>(length), &id),
                    "cannot define dimension " + name)) {
        return false;
    }
    ++counter_;
    unnamed_[length] = id;
    return true;
}

} // namespace vardane
