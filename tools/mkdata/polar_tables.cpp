// The polar coordinate tables: latitude and longitude of every cell centre of
// the six polar-stereographic L3 grids, by the inverse projection of PROJ.
#include <proj.h>

#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "netcdf/polar_grids.h"
#include "tools/mkdata/data_writers.h"
#include "util/number_text.h"

namespace vardane {

namespace {

struct context_closer {
    void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
};
struct projection_closer {
    void operator()(PJ* p) const { proj_destroy(p); }
};
using proj_context = std::unique_ptr<PJ_CONTEXT, context_closer>;
using projection = std::unique_ptr<PJ, projection_closer>;

std::string definition(const polar_grid& g)
{
    return "+proj=stere +lat_0=" + format_fixed(g.trueScaleLat < 0 ? -90.0 : 90.0, 1) + " +lat_ts="
           + format_fixed(g.trueScaleLat, 1) + " +lon_0=" + format_fixed(g.poleLon, 1) + " +x_0=0 +y_0=0 +a="
           + format_fixed(kHughesSemiMajor, 3) + " +b=" + format_fixed(kHughesSemiMinor, 3) + " +units=m +no_defs";
}

// Degrees with five decimals (about a metre): the reader keeps hundredths.
void append_degrees(std::string& line, double degrees) { line += format_fixed(degrees, 5); }

bool write_table(const std::filesystem::path& path, const std::vector<std::string>& lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines) out << line << '\n';
    out.close();
    if (!out) {
        std::cerr << "vardane-mkdata: cannot write " << path << "\n";
        return false;
    }
    return true;
}

bool write_grid(PJ_CONTEXT* context, const polar_grid& g, const std::filesystem::path& folder)
{
    const projection p(proj_create(context, definition(g).c_str()));
    if (!p) {
        std::cerr << "vardane-mkdata: PROJ refuses " << definition(g) << "\n";
        return false;
    }
    std::vector<std::string> lat(static_cast<std::size_t>(g.lines));
    std::vector<std::string> lon(lat.size());
    for (int r = 0; r < g.lines; ++r) {
        const double y = g.upperLeftY - (r + 0.5) * g.pixelSize;
        for (int c = 0; c < g.pixels; ++c) {
            const double x = g.upperLeftX + (c + 0.5) * g.pixelSize;
            const PJ_COORD geo = proj_trans(p.get(), PJ_INV, proj_coord(x, y, 0, 0));
            if (geo.lp.lam == HUGE_VAL) {
                std::cerr << "vardane-mkdata: no inverse for cell " << r << "," << c << " of " << g.latTable << "\n";
                return false;
            }
            if (c) {
                lat[r] += ',';
                lon[r] += ',';
            }
            append_degrees(lat[r], proj_todeg(geo.lp.phi));
            append_degrees(lon[r], proj_todeg(geo.lp.lam));
        }
    }
    return write_table(folder / g.latTable, lat) && write_table(folder / g.lonTable, lon);
}

} // namespace

bool write_polar_tables(const std::filesystem::path& folder)
{
    const proj_context context(proj_context_create());
    if (!context) {
        std::cerr << "vardane-mkdata: no PROJ context\n";
        return false;
    }
    for (const polar_grid& g : kPolarGrids) {
        if (!write_grid(context.get(), g, folder)) return false;
    }
    return true;
}

} // namespace vardane
