// Latitude and longitude of the low-frequency samples of an L1 swath: every
// second position of the 89 GHz A-horn, which observes twice as often.
#include <netcdf.h>

#include "netcdf/catalogue_attributes.h"
#include "netcdf/nc_converter.h"
#include "netcdf/nc_file.h"
#include "reader/hdf5/h5_dataset_shape.h"
#include "reader/hdf5/h5_file_access.h"
#include "reader/hdf5/h5_handles.h"

namespace vardane {

namespace {

struct l1_axis {
    const char* source;
    const char* name;
    const char* longName;
    const char* units;
};

constexpr l1_axis kAxes[] = {
    {"Latitude of Observation Point for 89A", "lat", "Latitude of Observation Point Except 89", "degrees_north"},
    {"Longitude of Observation Point for 89A", "lon", "Longitude of Observation Point Except 89", "degrees_east"},
};

constexpr const char* kScans = "time";
constexpr const char* kSamples89 = "For89ASamples";
constexpr const char* kSamples = "Except89Samples";

} // namespace

bool nc_converter::add_l1_latlon(nc_file& file, hid_t root)
{
    const dimmap_t* scans = dims_.find(kScans);
    const dimmap_t* samples89 = dims_.find(kSamples89);
    if (!scans || !samples89) return file.fail("The L1 product has no 89 GHz A geolocation.");
    const std::size_t nScans = static_cast<std::size_t>(scans->length);
    const std::size_t n89 = static_cast<std::size_t>(samples89->length);
    if (!file.define_mode()) return false;
    if (!dims_.find(kSamples) && !dims_.add(file, kSamples, (n89 + 1) / 2)) return false;
    const dimmap_t* samples = dims_.find(kSamples);
    const std::size_t n = static_cast<std::size_t>(samples->length);
    if (n == 0 || 2 * (n - 1) >= n89) {
        return file.fail("The low-frequency samples (" + std::to_string(n) + ") are not half the 89 GHz A samples ("
                         + std::to_string(n89) + ").");
    }

    for (const l1_axis& axis : kAxes) {
        const h5_dataset dataset(H5Dopen2(root, axis.source, H5P_DEFAULT));
        if (!dataset) return file.fail(std::string("Cannot open \"") + axis.source + "\".");
        const auto extents = h5_dataset_extents(dataset.get());
        if (!extents || extents->rank != 2 || extents->d[0] != nScans || extents->d[1] != n89) {
            return file.fail(std::string("Dataset \"") + axis.source + "\" changed its shape.");
        }
        const h5_file input(H5Iget_file_id(dataset.get()));
        std::vector<float> in;
        if (!input || !h5_read_whole(input.get(), dataset.get(), H5T_NATIVE_FLOAT, in) || in.size() != nScans * n89) {
            return file.fail(std::string("Cannot read dataset \"") + axis.source + "\".");
        }
        std::vector<float> out(nScans * n);
        for (std::size_t t = 0; t < nScans; ++t) {
            for (std::size_t j = 0; j < n; ++j) out[t * n + j] = in[t * n89 + 2 * j];
        }

        const int dimIds[2] = {scans->id, samples->id};
        int varId = -1;
        if (!file.define_mode()) return false;
        if (!file.check(nc_def_var(file.id(), axis.name, NC_FLOAT, 2, dimIds, &varId),
                        std::string("cannot define variable ") + axis.name)) {
            return false;
        }
        if (!put_text(file, varId, "long_name", axis.longName) || !put_float(file, varId, "scale_factor", 1.0f)
            || !put_text(file, varId, "units", axis.units) || !file.data_mode()) {
            return false;
        }
        if (!file.check(nc_put_var_float(file.id(), varId, out.data()), std::string("cannot write ") + axis.name)) {
            return false;
        }
    }
    return true;
}

} // namespace vardane
