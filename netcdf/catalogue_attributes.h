#pragma once

#include <netcdf.h>

#include <string>
#include <vector>

namespace vardane {

class nc_file;

// The attributes a variable takes from the variable catalogue, each written
// in the variable's own sample type so that readers compare like with like.

// "valid_range": NC_BYTE and NC_SHORT variables as 16-bit integers, NC_INT as
// 32-bit integers, NC_FLOAT as floats; none for NC_DOUBLE. Values are
// truncated toward zero and wrapped to the width, as the stored bits of an
// unsigned variable are.
bool put_valid_range(nc_file& file, int varId, nc_type type, const std::vector<float>& range);

// "_FillValue" as one value of the variable's type, truncated and wrapped the
// same way.
bool put_fill_value(nc_file& file, int varId, nc_type type, float value);

// A text attribute.
bool put_text(nc_file& file, int varId, const std::string& name, const std::string& value);

// A single float attribute.
bool put_float(nc_file& file, int varId, const std::string& name, float value);

} // namespace vardane
