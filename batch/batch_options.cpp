#include "batch/batch_options.h"

namespace vardane {

int kinds_asked(const output_switches& kinds)
{
    return static_cast<int>(kinds.geotiff) + static_cast<int>(kinds.kmz) + static_cast<int>(kinds.tiffText)
           + static_cast<int>(kinds.netcdf);
}

} // namespace vardane
