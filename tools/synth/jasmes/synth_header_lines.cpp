#include <cstdio>

#include "jasmes/jasmes_synth.h"

namespace vardane {

namespace {

template <class... Args>
std::string format(const char* fmt, Args... args)
{
    const int n = std::snprintf(nullptr, 0, fmt, args...);
    std::string s(static_cast<std::size_t>(n), '\0');
    std::snprintf(s.data(), s.size() + 1, fmt, args...);
    return s;
}

// Columns 0-35: width, height, upper-left centre and pixel size.
std::string geometry(const synth_grid& g)
{
    return format("%6d%6d%8.3f%8.3f%8.4f", g.width, g.height, g.lon, g.lat, g.resolution);
}

} // namespace

std::string t1_header_line(const synth_grid& g, double scale, double offset, const std::string& para,
                           const std::string& area)
{
    return geometry(g) + format("%12.6f%12.6f %-8.8s %-40.40s", scale, offset, para.c_str(), area.c_str());
}

std::string t1_wst_header_line(const synth_grid& g) { return geometry(g) + " WST"; }

std::string t1rgb_header_line(const synth_grid& g, double scale, double offset, const std::string& para,
                              const std::string& area)
{
    return geometry(g) + format("%9.5f%9.5f %-8.8s %-42.42s", scale, offset, para.c_str(), area.c_str());
}

std::string t2_header_line(const synth_grid& g, const std::vector<double>& bandScales)
{
    std::string line = format("%6d%6d%9.3f%9.3f%9.4f%03d", g.width, g.height, g.lon, g.lat, g.resolution,
                              static_cast<int>(bandScales.size()));
    for (const double s : bandScales) line += format("%8.5f", s);
    return line;
}

} // namespace vardane
