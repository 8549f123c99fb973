#pragma once

#include <optional>
#include <string>

namespace vardane {

// The flags of a GPM "FileHeader" attribute (substring tests).
struct gpm_header_flags {
    bool multi = false; // "SatelliteName=MULTI" (GSMaP)
    bool gpm = false;   // "SatelliteName=GPM" (DPR)
    bool hour = false;
    bool day = false;
    bool month = false;
};

gpm_header_flags parse_gpm_header(const std::string& header);

// The text between "FileName=" and the next ";" after it; nothing when either
// is missing.
std::optional<std::string> gpm_header_file_name(const std::string& header);

} // namespace vardane
