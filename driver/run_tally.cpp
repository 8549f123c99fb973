#include "driver/run_tally.h"

namespace vardane {

void run_tally::count(const run_event& event)
{
    switch (event.type) {
    case run_event_type::recognised: ++products; break;
    case run_event_type::not_product: ++notProducts; break;
    case run_event_type::output_created: ++outputs; break;
    case run_event_type::failure: ++failures; break;
    case run_event_type::cancelled: cancelled = true; break;
    }
}

int run_tally::exit_status() const
{
    if (signal != 0) return 128 + signal;
    return failures == 0 && products > 0 && completed && !cancelled ? 0 : 1;
}

std::string run_tally::summary() const
{
    std::string s = "Summary: files " + std::to_string(files) + ", outputs written " + std::to_string(outputs)
                    + ", failures " + std::to_string(failures) + ", not products " + std::to_string(notProducts);
    if (cancelled) s += ", cancelled";
    if (!completed) s += ", run ended early";
    return s + ".";
}

} // namespace vardane
