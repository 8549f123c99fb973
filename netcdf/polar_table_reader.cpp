#include "netcdf/polar_table_reader.h"

#include <cmath>
#include <fstream>
#include <string_view>

#include "util/number_text.h"

namespace vardane {

namespace {

// One field as hundredths of a degree; false when it is not a number or
// does not fit the 16-bit variable.
bool hundredths(std::string_view field, short& out)
{
    const auto degrees = whole_float(field);
    if (!degrees) return false;
    const double value = std::trunc(static_cast<double>(*degrees) * 100.0);
    if (!(value >= -32768.0 && value <= 32767.0)) return false;
    out = static_cast<short>(value);
    return true;
}

} // namespace

bool read_polar_table(const std::string& path, std::size_t lines, std::size_t pixels, std::vector<short>& out,
                      std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot open file: " + path;
        return false;
    }
    out.assign(lines * pixels, 0);
    std::string text;
    for (std::size_t l = 0; l < lines; ++l) {
        const std::string where = path + " line " + std::to_string(l + 1);
        if (!std::getline(in, text)) {
            error = where + ": missing, the grid has " + std::to_string(lines) + " lines.";
            return false;
        }
        std::string_view rest = text;
        bool exhausted = false;
        for (std::size_t p = 0; p < pixels; ++p) {
            if (exhausted) {
                error = where + ": " + std::to_string(p) + " values, the grid has " + std::to_string(pixels) + ".";
                return false;
            }
            const auto comma = rest.find(',');
            const std::string_view field = rest.substr(0, comma);
            if (!hundredths(field, out[l * pixels + p])) {
                error = where + " value " + std::to_string(p + 1) + ": not a number of degrees.";
                return false;
            }
            exhausted = comma == std::string_view::npos;
            if (!exhausted) rest = rest.substr(comma + 1);
        }
    }
    return true;
}

} // namespace vardane
