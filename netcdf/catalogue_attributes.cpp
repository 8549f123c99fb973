#include "netcdf/catalogue_attributes.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "netcdf/nc_file.h"

namespace vardane {

namespace {

// Truncates toward zero and keeps the low bits of the integer, the way a
// catalogue value of 65535 becomes the 16-bit -1 that an unsigned variable
// reads as 65535 again. Values beyond 64 bits cannot be meant and give 0.
template <class T>
T wrapped(float value)
{
    const double t = std::trunc(static_cast<double>(value));
    if (!(std::fabs(t) < 9.2e18)) return T{0};
    return static_cast<T>(static_cast<std::int64_t>(t));
}

} // namespace

bool put_valid_range(nc_file& file, int varId, nc_type type, const std::vector<float>& range)
{
    const std::string what = "cannot write valid_range";
    const size_t n = range.size();
    switch (type) {
    case NC_BYTE:
    case NC_SHORT: {
        std::vector<short> v;
        for (float f : range) v.push_back(wrapped<std::int16_t>(f));
        return file.check(nc_put_att_short(file.id(), varId, "valid_range", NC_SHORT, n, v.data()), what);
    }
    case NC_INT: {
        std::vector<int> v;
        for (float f : range) v.push_back(wrapped<std::int32_t>(f));
        return file.check(nc_put_att_int(file.id(), varId, "valid_range", NC_INT, n, v.data()), what);
    }
    case NC_FLOAT:
        return file.check(nc_put_att_float(file.id(), varId, "valid_range", NC_FLOAT, n, range.data()), what);
    default: return true;
    }
}

bool put_fill_value(nc_file& file, int varId, nc_type type, float value)
{
    const std::string what = "cannot write _FillValue";
    const int id = file.id();
    switch (type) {
    case NC_BYTE: {
        const signed char v = wrapped<std::int8_t>(value);
        return file.check(nc_put_att_schar(id, varId, "_FillValue", NC_BYTE, 1, &v), what);
    }
    case NC_SHORT: {
        const short v = wrapped<std::int16_t>(value);
        return file.check(nc_put_att_short(id, varId, "_FillValue", NC_SHORT, 1, &v), what);
    }
    case NC_INT: {
        const int v = wrapped<std::int32_t>(value);
        return file.check(nc_put_att_int(id, varId, "_FillValue", NC_INT, 1, &v), what);
    }
    case NC_FLOAT: return file.check(nc_put_att_float(id, varId, "_FillValue", NC_FLOAT, 1, &value), what);
    case NC_DOUBLE: {
        const double v = value;
        return file.check(nc_put_att_double(id, varId, "_FillValue", NC_DOUBLE, 1, &v), what);
    }
    default: return true;
    }
}

bool put_text(nc_file& file, int varId, const std::string& name, const std::string& value)
{
    return file.check(nc_put_att_text(file.id(), varId, name.c_str(), value.size(), value.data()),
                      "cannot write attribute " + name);
}

bool put_float(nc_file& file, int varId, const std::string& name, float value)
{
    return file.check(nc_put_att_float(file.id(), varId, name.c_str(), NC_FLOAT, 1, &value),
                      "cannot write attribute " + name);
}

} // namespace vardane
