#include "jasmes/jasmes_synth.h"

namespace vardane {

namespace {

constexpr synth_grid kGrids[] = {
    {"global", 7200, 3601, 0.0, 90.0, 0.05},    {"japan", 2701, 2601, 123.0, 50.0, 0.01},
    {"japan5", 5001, 5001, 123.0, 49.0, 0.005}, {"thailand", 3001, 3001, 90.0, 25.0, 0.01},
    {"gobi", 1441, 461, 75.0, 50.0, 0.05},
};

} // namespace

const synth_grid* find_synth_grid(const std::string& name)
{
    for (const auto& g : kGrids) {
        if (name == g.name) return &g;
    }
    return nullptr;
}

} // namespace vardane
