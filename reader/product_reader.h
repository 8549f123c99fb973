#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "reader/product_description.h"
#include "util/failure.h"

namespace vardane {

// The outcome of reading one parameter: the type of the plane filled
// (DT_NONE when nothing was read) and, when nothing was, why.
struct read_result {
    std::int32_t dtype = DT_NONE;
    failure why;

    bool ok() const { return dtype != DT_NONE; }
    // Nothing read from `file`, for `cause`.
    static read_result refused(std::string file, std::string cause)
    {
        return read_result{DT_NONE, failure(std::move(file), std::move(cause))};
    }
};

// One product family (HDF5, JASMES HDF4, GSMaP flat binary, JASMES flat
// binary). A reader keeps what it learnt of the file it opened last and
// nothing else; spinfo asks the families in the order of the registry
// (reader_registry.h) and hands the file to the first that identifies it.
//
// open() and read() report a file they cannot read through the failure they
// return, or throw vdn_exception; spinfo turns anything thrown, of any type,
// into the failure of that file.
class product_reader {
public:
    virtual ~product_reader() = default;

    // Whether the file carries this family's mark (a signature or a name).
    // Reads no more than the mark; a file of another family says no.
    virtual bool identify(const std::string& path, std::uintmax_t size) const = 0;

    // Recognises an identified file into `d`, which comes in cleared. A file
    // that is no product of the family leaves d.kind PT_UNKNOWN and no
    // failure; a file of the family that cannot be read gives a failure.
    virtual failure open(const std::string& path, std::uintmax_t size, product_description& d) = 0;

    // Reads parameter idx of the file described by d (as open() left it)
    // into `out`, after giving back the planes of the previous read.
    virtual read_result read(const product_description& d, std::uint32_t idx, read_buffers& out) = 0;

    // Reads rows `rows` of parameter idx, as read() delivers them, into
    // `out`. This default reads the whole parameter and keeps the rows; a
    // family that can read a part of a parameter reads only theirs.
    virtual read_result read_rows(const product_description& d, std::uint32_t idx, row_span rows, read_buffers& out);

    // Whether read_rows reads from the file only the rows asked.
    virtual bool reads_row_parts() const { return false; }
};

} // namespace vardane
