#pragma once

#include <cstddef>
#include <string>

#include "batch/child_channel.h"
#include "batch/lost_file.h"

namespace vardane {

// Follows each task of a batch as its worker reports it, the moment a file
// ends rather than when the log gets round to showing it (the command
// line's per-file report).
class batch_reporter {
public:
    virtual ~batch_reporter() = default;

    virtual void started(std::size_t task, const std::string& path) = 0;
    virtual void record(std::size_t task, const child_record& record) = 0;
    // The worker died in the file or was killed for its time: its outputs
    // were discarded.
    virtual void lost(std::size_t task, const lost_file& file) = 0;
    // The task's worker is done with it; `cancelled` when a cancel cut it off.
    virtual void ended(std::size_t task, bool cancelled) = 0;
};

} // namespace vardane
