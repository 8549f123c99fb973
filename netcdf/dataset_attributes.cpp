// The attributes of one copied variable: those of its HDF5 dataset, then the
// catalogue's.
#include <netcdf.h>

#include "netcdf/attribute_translation.h"
#include "netcdf/catalogue_attributes.h"
#include "netcdf/h5_object_names.h"
#include "netcdf/nc_converter.h"
#include "netcdf/nc_file.h"
#include "reader/hdf5/h5_attribute_values.h"
#include "reader/hdf5/h5_handles.h"

namespace vardane {

namespace {

constexpr const char* kUnitAttribute = "UNIT";
constexpr const char* kUnitsAttribute = "units";

H5T_class_t attribute_class(hid_t object, const std::string& name)
{
    const h5_attribute attr(H5Aopen(object, name.c_str(), H5P_DEFAULT));
    if (!attr) return H5T_NO_CLASS;
    const h5_type type(H5Aget_type(attr.get()));
    return type ? H5Tget_class(type.get()) : H5T_NO_CLASS;
}

} // namespace

bool nc_converter::copy_dataset_attributes(nc_file& file, hid_t dataset, int varId, int nctype,
                                           const std::string& rawName, const std::string& varName)
{
    const auto names = h5_attribute_names(dataset);
    if (!names) return file.fail("Cannot list the attributes of dataset \"" + rawName + "\".");
    // The flag bytes of the swaths carry float and unit attributes that do
    // not describe bytes; those are left out when asked.
    const bool skipped = skipByteAttributes_ && nctype == NC_BYTE;
    for (const std::string& name : *names) {
        const std::string odd = "Attribute \"" + name + "\" of dataset \"" + rawName + "\" ";
        const H5T_class_t cls = attribute_class(dataset, name);
        if (cls == H5T_FLOAT) {
            if (skipped) continue;
            const auto value = h5_float_attribute(dataset, name.c_str());
            if (!value) return file.fail(odd + "has no value.");
            if (!put_float(file, varId, float_attribute_name(name), *value)) return false;
            continue;
        }
        if (cls != H5T_STRING) return file.fail(odd + "is neither text nor a float.");
        const auto text = h5_string_attribute(dataset, name.c_str());
        if (!text) return file.fail(odd + "is not readable text.");
        if (name == kUnitAttribute) {
            if (skipped) continue;
            const auto units = units_of(rawName, varName, *text);
            if (units && !put_text(file, varId, kUnitsAttribute, *units)) return false;
            continue;
        }
        if (!put_text(file, varId, name, *text)) return false;
    }
    return true;
}

bool nc_converter::put_catalogue_attributes(nc_file& file, int varId, int nctype, bool unsignedBits,
                                            const std::string& varName)
{
    if (const auto it = coordinates_.find(varName); it != coordinates_.end()) {
        if (!put_text(file, varId, "coordinates", it->second)) return false;
    }
    if (const auto it = validRanges_.find(varName); it != validRanges_.end()) {
        if (!put_valid_range(file, varId, nctype, it->second)) return false;
    }
    if (const auto it = fillValues_.find(varName); it != fillValues_.end()) {
        if (!put_fill_value(file, varId, nctype, it->second)) return false;
    }
    // The classic format has no unsigned types: readers learn from this
    // attribute that the bits (data, valid_range and _FillValue alike) are
    // unsigned values.
    if (unsignedBits && !put_text(file, varId, "_Unsigned", "true")) return false;
    return true;
}

} // namespace vardane
