// The NetCDF copy of a radiometer product, once per input file.
#include "driver/data_folder.h"
#include "driver/file_job.h"
#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "netcdf/nc_converter.h"
#include "reader/product_kind.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace vardane {

void run_driver::netcdf_step(file_job& job)
{
    if (!request_.switches.netcdf) return;
    if (!is_netcdf_capable(job.kind)) {
        log(run_msg::kNetcdfUnsupported);
        return;
    }
    log(run_msg::kNetcdfGenerating);
    const std::string ncName = job.baseName + ".nc";
    nc_converter converter(job.path, work_path(ncName));
    converter.set_dimensions(converter_.get_dimensions(job.setting));
    converter.set_coordinates(converter_.get_coordinates(job.setting));
    converter.set_valid_ranges(converter_.get_valid_ranges(job.setting));
    converter.set_fill_values(converter_.get_fill_values(job.setting));
    converter.set_data_file_locator(clt_file);

    converter.set_l1_latlon(is_l1_latlon_kind(job.kind));
    converter.set_skip_byte_attributes(skips_byte_attributes(job.kind));
    if (is_radiometer_l3_kind(job.kind)) {
        const L3PsType grid = info_.getL3PolarStereoType();
        const bool polar = grid == PS_NSIDC_NORTH || grid == PS_NSIDC_SOUTH || grid == PS_SNOW_NORTH;
        converter.set_polar_stereo(polar);
        converter.set_l3_grid(!polar);
    }

    if (!converter.convert()) {
        log(converter.error());
        fail(run_msg::failure_line(run_msg::kFailNetcdf, ncName), run_msg::kKindNetcdf,
             failure{work_path(ncName), converter.error()});
        return;
    }
    move_created(ncName, run_msg::kKindNetcdf);
}

} // namespace vardane
