#pragma once

#include <string>

namespace vardane {

// GDAL's name for path with every byte going through a guarded_file: a GDAL
// dataset created under this name cannot spin on a full disk when it is
// closed, and its first write error is kept (take_write_failure(path)).
std::string guarded_gdal_name(const std::string& path);

// The path a guarded GDAL name stands for; other names are returned as they are.
std::string unguarded_path(const std::string& gdalName);

} // namespace vardane
