#include "batch/run_geotiffs.h"

#include <algorithm>

#include "driver/run_messages.h"
#include "util/string_utils.h"

namespace vardane {

void run_geotiffs::take(const run_event& event)
{
    if (event.type == run_event_type::recognised) {
        currentBase_ = input_base_name(event.path);
    } else if (event.type == run_event_type::output_created && event.kind == run_msg::kKindGeoTiff) {
        files_.push_back({event.path, currentBase_});
    }
}

void run_geotiffs::discard(const std::string& path)
{
    std::erase_if(files_, [&](const run_geotiff& file) { return file.path == path; });
}

} // namespace vardane
