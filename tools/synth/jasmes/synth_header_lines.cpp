#include <cstdio>

#include "jasmes/jasmes_synth.h"
#include "util/number_text.h"

namespace vardane {

namespace {

// Fixed-width columns. Decimal numbers come in as text: printf's own %f
// would write the locale's decimal mark, a comma in some.
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
    return format("%6d%6d%8s%8s%8s", g.width, g.height, format_fixed(g.lon, 3).c_str(), format_fixed(g.lat, 3).c_str(),
                  format_fixed(g.resolution, 4).c_str());
}

} // namespace

std::string t1_header_line(const synth_grid& g, double scale, double offset, const std::string& para,
                           const std::string& area)
{
    return geometry(g)
           + format("%12s%12s %-8.8s %-40.40s", format_fixed(scale, 6).c_str(), format_fixed(offset, 6).c_str(),
                    para.c_str(), area.c_str());
}

std::string t1_wst_header_line(const synth_grid& g) { return geometry(g) + " WST"; }

std::string t1rgb_header_line(const synth_grid& g, double scale, double offset, const std::string& para,
                              const std::string& area)
{
    return geometry(g)
           + format("%9s%9s %-8.8s %-42.42s", format_fixed(scale, 5).c_str(), format_fixed(offset, 5).c_str(),
                    para.c_str(), area.c_str());
}

std::string t2_header_line(const synth_grid& g, const std::vector<double>& bandScales)
{
    std::string line =
        format("%6d%6d%9s%9s%9s%03d", g.width, g.height, format_fixed(g.lon, 3).c_str(), format_fixed(g.lat, 3).c_str(),
               format_fixed(g.resolution, 4).c_str(), static_cast<int>(bandScales.size()));
    for (const double s : bandScales) line += format("%8s", format_fixed(s, 5).c_str());
    return line;
}

} // namespace vardane
