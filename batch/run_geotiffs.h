#pragma once

#include <string>
#include <vector>

#include "driver/run_event.h"

namespace vardane {

// One GeoTIFF a run made, with the base name of the input it came from.
struct run_geotiff {
    std::string path;      // full path in the output folder
    std::string inputBase; // input_base_name of its input: the prefix of its name
};

// The GeoTIFFs of a run, gathered from the events a front end's sink sees,
// in the order the run shows them: input order. An output the batch
// discards again (its file's worker died, a cancel cut the file off) leaves
// the list.
class run_geotiffs {
public:
    void take(const run_event& event);
    void discard(const std::string& path);

    const std::vector<run_geotiff>& files() const { return files_; }

private:
    std::vector<run_geotiff> files_;
    // The input the outputs that follow belong to: each file's outputs are
    // shown after its "recognised" event and before the next file's.
    std::string currentBase_;
};

} // namespace vardane
