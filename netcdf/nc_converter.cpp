#include "netcdf/nc_converter.h"

#include <netcdf.h>

#include <filesystem>
#include <system_error>

#include "netcdf/attribute_translation.h"
#include "netcdf/catalogue_attributes.h"
#include "netcdf/h5_object_names.h"
#include "netcdf/nc_file.h"
#include "reader/hdf5/h5_attribute_values.h"
#include "reader/hdf5/h5_dataset_shape.h"
#include "reader/hdf5/h5_file_access.h"
#include "reader/hdf5/h5_handles.h"
#include "reader/hdf5/read_h5data.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

constexpr const char* kConventions = "CF-1.4";

} // namespace

nc_converter::nc_converter(std::string inputPath, std::string ncName)
    : inputPath_(std::move(inputPath)), ncName_(std::move(ncName))
{
}

std::string nc_converter::ChangeName(const std::string& rawName) { return long_name_of(rawName); }

bool nc_converter::convert()
{
    error_.clear();
    dims_ = nc_dimensions{};
    nc_file file;
    if (write(file)) return true;

    error_ = file.error().empty() ? "NetCDF export of " + inputPath_ + " failed." : file.error();
    const bool created = file.created();
    file.abort();
    if (created) {
        std::error_code ec;
        std::filesystem::remove(ncName_, ec);
    }
    return false;
}

bool nc_converter::write(nc_file& file)
{
    // The library's own version check is left out on purpose: against a
    // newer HDF5 than the one it names it ends the process.
    h5_silence_errors();
    const h5_file input = h5_open_readonly(inputPath_);
    if (!input) return file.fail("Cannot open " + inputPath_ + " as HDF5.");
    const h5_object root(H5Oopen(input.get(), "/", H5P_DEFAULT));
    if (!root) return file.fail("Cannot open the root group of " + inputPath_ + ".");
    const auto names = h5_link_names(root.get());
    if (!names) return file.fail("Cannot list the datasets of " + inputPath_ + ".");

    if (!file.create(ncName_)) return false;
    if (!copy_global_attributes(file, root.get())) return false;
    for (const std::string& name : *names) {
        if (!copy_dataset(file, root.get(), name)) return false;
    }
    if (l1LatLon_ && !add_l1_latlon(file, root.get())) return false;
    if (l3Grid_ && !gcom_l3_lonlat(file)) return false;
    if (polarStereo_ && !gcom_l3_polar_lonlat(file)) return false;
    return file.data_mode() && file.close();
}

bool nc_converter::copy_global_attributes(nc_file& file, hid_t root)
{
    if (!put_text(file, NC_GLOBAL, "Conventions", kConventions)) return false;
    const auto names = h5_attribute_names(root);
    if (!names) return file.fail("Cannot list the attributes of " + inputPath_ + ".");
    for (const std::string& name : *names) {
        const auto value = h5_string_attribute(root, name.c_str());
        if (!value) return file.fail("Global attribute \"" + name + "\" is not text.");
        if (!put_text(file, NC_GLOBAL, normalize(name), *value)) return false;
    }
    return true;
}

bool nc_converter::copy_dataset(nc_file& file, hid_t root, const std::string& rawName)
{
    const h5_object object(H5Oopen(root, rawName.c_str(), H5P_DEFAULT));
    if (!object) return file.fail("Cannot open \"" + rawName + "\".");
    if (H5Iget_type(object.get()) != H5I_DATASET) return true;

    const std::string varName = normalize(rawName);
    const auto extents = h5_dataset_extents(object.get());
    if (!extents) return file.fail("Dataset \"" + rawName + "\" has no readable shape.");
    std::vector<std::uint64_t> lengths(extents->d.begin(), extents->d.begin() + extents->rank);
    const h5data_samples samples = read_h5data_id(object.get(), lengths, varName);
    if (samples.empty()) return file.fail("Cannot read dataset \"" + rawName + "\".");

    std::vector<int> dimIds;
    int varId = -1;
    if (!file.define_mode() || !define_dims(file, varName, dimIds, lengths)) return false;
    if (!file.check(nc_def_var(file.id(), varName.c_str(), samples.nctype, static_cast<int>(dimIds.size()),
                               dimIds.data(), &varId),
                    "cannot define variable " + varName)) {
        return false;
    }
    if (!put_text(file, varId, "long_name", ChangeName(rawName))) return false;
    if (!copy_dataset_attributes(file, object.get(), varId, samples.nctype, rawName, varName)) return false;
    if (!put_catalogue_attributes(file, varId, samples.nctype, samples.unsignedBits, varName)) return false;
    if (!file.data_mode()) return false;
    return file.check(nc_put_var(file.id(), varId, samples.data()), "cannot write variable " + varName);
}

bool nc_converter::define_dims(nc_file& file, const std::string& varName, std::vector<int>& ids,
                               const std::vector<std::uint64_t>& lengths)
{
    const auto it = dimensions_.find(varName);
    return dims_.define(file, varName, it == dimensions_.end() ? nullptr : &it->second, lengths, ids);
}

} // namespace vardane
