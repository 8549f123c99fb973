// Reading one geolocation array into the swath writers.
#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "output/spout.h"
#include "reader/spinfo.h"

namespace vardane {

bool run_driver::read_lonlat(const std::string& name, std::int32_t index)
{
    // These checks log every time they stop a read; the once-per-run rule is
    // the file loop's.
    const auto cancelled = [this] {
        if (!FlagCancel) return false;
        log(run_msg::kCancel);
        sink_.report(run_event{run_event_type::cancelled, {}, {}, {}});
        return true;
    };

    log(run_msg::kReadingHead + name + run_msg::kReadingTail);
    if (cancelled()) return false;
    pause();

    std::int32_t dtype = DT_NONE;
    const bool read = index >= 0 && info_.get_dataSource(static_cast<std::uint32_t>(index), dtype);
    // Geolocation is float data: anything else would hand the writer a
    // buffer that does not hold the array dataAttr describes.
    const auto& attr = info_.dataAttr();
    const auto samples = static_cast<std::uintmax_t>(attr.width < 0 ? 0 : attr.width)
                         * static_cast<std::uintmax_t>(attr.height < 0 ? 0 : attr.height);
    if (!read || dtype != DT_FLOAT32 || samples == 0 || info_.floatRaster().size() < samples) {
        fail(run_msg::kReadFailed, {}, read_failure());
        return false;
    }
    if (cancelled()) return false;
    pause();

    const bool stored = out_.read_fvals(name, info_.floatRaster().data(), attr);
    if (cancelled()) return false;
    pause();
    return stored;
}

} // namespace vardane
