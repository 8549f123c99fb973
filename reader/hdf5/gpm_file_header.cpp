#include "reader/hdf5/gpm_file_header.h"

namespace vardane {

gpm_header_flags parse_gpm_header(const std::string& header)
{
    const auto has = [&](const char* text) { return header.find(text) != std::string::npos; };
    gpm_header_flags f;
    f.multi = has("SatelliteName=MULTI");
    f.gpm = has("SatelliteName=GPM");
    f.hour = has("TimeInterval=HOUR");
    f.day = has("TimeInterval=DAY");
    f.month = has("TimeInterval=MONTH");
    return f;
}

std::optional<std::string> gpm_header_file_name(const std::string& header)
{
    static constexpr std::string_view kKey = "FileName=";
    const auto key = header.find(kKey);
    if (key == std::string::npos) return std::nullopt;
    const auto start = key + kKey.size();
    const auto end = header.find(';', start);
    if (end == std::string::npos) return std::nullopt;
    return header.substr(start, end - start);
}

} // namespace vardane
