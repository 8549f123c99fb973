// The run's GeoTIFF profile and NoData, given to each GeoTIFF in the working
// folder before it is moved.
#include <filesystem>

#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "output/geotiff_profile_writer.h"
#include "output/spout.h"

namespace vardane {

void run_driver::move_geotiff(const std::string& name, std::optional<double> nodata)
{
    geotiff_finish how;
    how.profile = request_.geotiff.profile;
    if (request_.geotiff.nodata) how.nodata = nodata;
    how.codes = out_.holds_codes();
    std::string cause;
    if (!finish_geotiff(work_path(name), how, cause)) {
        const std::string destination = request_.outputFolder + name;
        fail(run_msg::kind_failure_line(run_msg::kKindGeoTiff, name), run_msg::kKindGeoTiff,
             failure{destination, cause});
        return;
    }
    move_created(name, run_msg::kKindGeoTiff);
}

} // namespace vardane
