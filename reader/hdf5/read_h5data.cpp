#include "reader/hdf5/read_h5data.h"

#include <string_view>

#include "reader/hdf5/h5_dataset_shape.h"
#include "reader/hdf5/h5_handles.h"

namespace vardane {

namespace {

struct memory_sample {
    hid_t type;
    std::int32_t nctype;
    std::size_t bytes;
    bool unsignedBits = false;
};

constexpr std::string_view kShortCountNames[] = {"SPC_Temperature_Count", "SPS_Temperature_Count"};
constexpr std::string_view kShortFlagNames[] = {"Land_Ocean_Flag_6_to_36", "Land_Ocean_Flag_89"};

bool named(const std::string& name, const std::string_view (&names)[2]) { return name == names[0] || name == names[1]; }

std::optional<memory_sample> memory_sample_of(hid_t stored, const std::string& name)
{
    const H5T_class_t cls = H5Tget_class(stored);
    const std::size_t size = H5Tget_size(stored);
    if (cls == H5T_FLOAT) {
        if (size == 8) return memory_sample{H5T_NATIVE_DOUBLE, H5DATA_DOUBLE, sizeof(double)};
        return memory_sample{H5T_NATIVE_FLOAT, H5DATA_FLOAT, sizeof(float)};
    }
    if (cls != H5T_INTEGER) return std::nullopt;
    const bool isSigned = H5Tget_sign(stored) != H5T_SGN_NONE;
    if (size == 4) {
        if (isSigned) return memory_sample{H5T_NATIVE_INT, H5DATA_INT, sizeof(int)};
        return memory_sample{H5T_NATIVE_FLOAT, H5DATA_FLOAT, sizeof(float)};
    }
    if (size == 2) {
        if (isSigned) return memory_sample{H5T_NATIVE_SHORT, H5DATA_SHORT, sizeof(short)};
        // Converting to a signed short would clip counts above 32767; the
        // unsigned bits are kept and the short samples carry them unchanged.
        if (named(name, kShortCountNames)) return memory_sample{H5T_NATIVE_USHORT, H5DATA_SHORT, sizeof(short), true};
        return memory_sample{H5T_NATIVE_INT, H5DATA_INT, sizeof(int)};
    }
    if (named(name, kShortFlagNames)) return memory_sample{H5T_NATIVE_SHORT, H5DATA_SHORT, sizeof(short)};
    if (isSigned) return memory_sample{H5T_NATIVE_SCHAR, H5DATA_BYTE, 1};
    return memory_sample{H5T_NATIVE_UCHAR, H5DATA_BYTE, 1, true};
}

} // namespace

h5data_samples read_h5data_id(hid_t dataset, const std::vector<std::uint64_t>& dims, const std::string& name)
{
    h5data_samples out;
    const auto extents = h5_dataset_extents(dataset);
    if (!extents || static_cast<std::size_t>(extents->rank) != dims.size()) return out;
    for (std::size_t i = 0; i < dims.size(); ++i) {
        if (dims[i] != extents->d[i]) return out;
    }
    const auto elements = extents->elements();
    if (!elements) return out;

    const h5_type stored(H5Dget_type(dataset));
    if (!stored) return out;
    const auto sample = memory_sample_of(stored.get(), name);
    if (!sample) return out;
    const h5_file file(H5Iget_file_id(dataset));
    if (!file || !h5_raw_size_plausible(file.get(), dataset, *elements, sample->bytes)) return out;

    out.bytes.resize(static_cast<std::size_t>(*elements) * sample->bytes);
    if (H5Dread(dataset, sample->type, H5S_ALL, H5S_ALL, H5P_DEFAULT, out.bytes.data()) < 0) {
        out.bytes = {};
        return out;
    }
    out.nctype = sample->nctype;
    out.unsignedBits = sample->unsignedBits;
    out.count = static_cast<std::size_t>(*elements);
    return out;
}

h5data_samples read_h5data(H5::DataSet& dataset, std::vector<std::uint64_t>& dims, std::int32_t& nctype,
                           const std::string& name)
{
    h5data_samples out = read_h5data_id(dataset.getId(), dims, name);
    nctype = out.nctype;
    try {
        dataset.close();
    } catch (const H5::Exception&) {
        // Closing an already-closed dataset is no reason to lose the samples.
    }
    dims.clear();
    return out;
}

} // namespace vardane
