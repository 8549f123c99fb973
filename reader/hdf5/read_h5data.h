#pragma once

#include <H5Cpp.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vardane {

// netCDF external type codes of the samples read_h5data delivers.
enum h5data_nctype : std::int32_t {
    H5DATA_NONE = 0,
    H5DATA_BYTE = 1,
    H5DATA_SHORT = 3,
    H5DATA_INT = 4,
    H5DATA_FLOAT = 5,
    H5DATA_DOUBLE = 6,
};

// A whole dataset in a netCDF-compatible sample type: `count` samples of the
// type `nctype` names (signed or unsigned char, short, int, float, double).
// The storage comes from operator new and is aligned for every sample type.
struct h5data_samples {
    std::int32_t nctype = H5DATA_NONE;
    std::size_t count = 0;
    // The file stored unsigned integers and the samples keep their width, so
    // the bits are those of unsigned values even where nctype is signed.
    bool unsignedBits = false;
    std::vector<std::byte> bytes;

    bool empty() const { return count == 0; }
    const void* data() const { return bytes.data(); }
    template <class T>
    const T* as() const
    {
        return reinterpret_cast<const T*>(bytes.data());
    }
};

// Reads the whole of an open dataset in the sample type its stored class,
// size and sign call for, as the NetCDF export needs it:
//   4-byte signed integer -> int (4); 4-byte unsigned integer -> float (5);
//   2-byte signed integer, or a dataset named "SPC_Temperature_Count" or
//   "SPS_Temperature_Count" -> short (3), unsigned counts keeping their bits;
//   other 2-byte unsigned -> int (4);
//   other integer sizes named "Land_Ocean_Flag_6_to_36" or
//   "Land_Ocean_Flag_89" -> short (3); other integers -> signed or unsigned
//   char (1); 8-byte float -> double (6); other floats -> float (5).
// dims must be the dataset's own extents; they are checked against the file,
// and the size against what the file can hold, before anything is allocated.
// Returns no samples (nctype 0) for any other class (strings, compounds), a
// mismatch of dims, an implausible size or a failed read.
h5data_samples read_h5data_id(hid_t dataset, const std::vector<std::uint64_t>& dims, const std::string& name);

// As above for a dataset of the class interface; sets nctype, and closes the
// dataset and empties dims before returning, whatever the outcome.
h5data_samples read_h5data(H5::DataSet& dataset, std::vector<std::uint64_t>& dims, std::int32_t& nctype,
                           const std::string& name);

} // namespace vardane
