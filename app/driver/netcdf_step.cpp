// The NetCDF copy of a radiometer product, once per input file.
#include <algorithm>
#include <iterator>

#include "app/driver/file_job.h"
#include "app/driver/run_driver.h"
#include "app/driver/run_messages.h"
#include "netcdf/nc_converter.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace {

// Level-1 swaths: the copy gets their latitude/longitude treatment.
constexpr productType kL1LatLonKinds[] = {PT_AMSR2_L1A, PT_AMSR2_L1B, PT_AMSR2_L1R, PT_AMSRE_L1B, PT_AMSRE_L1R};
// Products whose byte attributes are left out of the copy.
constexpr productType kSkipByteAttributeKinds[] = {PT_AMSR2_L1A,     PT_AMSR2_L1B,     PT_AMSR2_L2_HIGH,
                                                   PT_AMSRE_L1B,     PT_AMSRE_L2_HIGH, PT_AMSRE_L2_LOW};
// Gridded products: their grid coordinates are added.
constexpr productType kL3Kinds[] = {PT_AMSR2_L3_BT, PT_AMSR2_L3_GD, PT_AMSRE_L3_BT, PT_AMSRE_L3_GD};

template <std::size_t N>
bool listed(const productType (&kinds)[N], productType kind)
{
    return std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds);
}

} // namespace

void run_driver::netcdf_step(file_job& job, const std::string& outdir)
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

    converter.set_l1_latlon(listed(kL1LatLonKinds, job.kind));
    converter.set_skip_byte_attributes(listed(kSkipByteAttributeKinds, job.kind));
    if (listed(kL3Kinds, job.kind)) {
        const L3PsType grid = info_.getL3PolarStereoType();
        const bool polar = grid == PS_NSIDC_NORTH || grid == PS_NSIDC_SOUTH || grid == PS_SNOW_NORTH;
        converter.set_polar_stereo(polar);
        converter.set_l3_grid(!polar);
    }

    if (!converter.convert()) {
        fail(run_msg::failure_line(run_msg::kFailNetcdf, ncName), run_msg::kKindNetcdf);
        return;
    }
    move_created(ncName, outdir, run_msg::kKindNetcdf);
}
