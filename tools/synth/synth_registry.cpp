#include "synth_registry.h"

namespace vardane {

std::vector<synth_kind> all_synth_kinds()
{
    std::vector<synth_kind> kinds;
    register_hdf5_kinds(kinds);
    register_jasmes_kinds(kinds);
    return kinds;
}

} // namespace vardane
