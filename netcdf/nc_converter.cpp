#include "netcdf/nc_converter.h"

nc_converter::nc_converter(std::string inputPath, std::string ncName)
    : inputPath_(std::move(inputPath)), ncName_(std::move(ncName))
{
}

// The export is not built yet: nothing is written.
bool nc_converter::convert() { return false; }
