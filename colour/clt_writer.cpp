#include "colour/clt_writer.h"

#include <array>
#include <fstream>

#include "colour/colorbar_image.h"
#include "colour/palette.h"
#include "colour/replaced_file.h"
#include "util/number_text.h"

namespace vardane {

namespace {

// Bounds k = 1 .. 8 of a logarithmic table as fractions of the range:
// log10(10 / (10 - k)) to four places. Bound 0 is the minimum, bound 9 the
// maximum.
constexpr std::array<double, 9> kLogFractions = {0, 0.0458, 0.0969, 0.1549, 0.2218, 0.301, 0.3979, 0.5229, 0.699};
constexpr int kLinearSteps = 10;

// Bounds computed in single precision are written with the digits a float
// holds, those computed in double with the digits a double holds.
constexpr int kFloatDigits = 7;
constexpr int kDoubleDigits = 15;

std::string table_line(const std::string& value, std::string_view colour)
{
    return "VAL = " + value + std::string(colour) + "\n";
}

std::string linear_text(float m, float M, palette p)
{
    std::string text;
    const float step = (M - m) / float(kLinearSteps);
    float v = m;
    for (int k = 0; m < M && k < kLinearSteps && v < M; ++k) {
        text += table_line(format_general(v, kFloatDigits), p[std::size_t(k)]);
        v = v + step;
    }
    text += table_line(format_general(M, kFloatDigits), p[kLinearSteps]);
    return text;
}

std::string log_text(float m, float M, palette p)
{
    const float range = M - m;
    std::string text = table_line(format_general(m, kFloatDigits), p[0]);
    for (std::size_t k = 1; k < kLogFractions.size(); ++k) {
        const double v = double(m) + double(range) * kLogFractions[k];
        text += table_line(format_general(v, kDoubleDigits), p[k]);
    }
    const float last = range + m;
    text += table_line(format_general(last, kFloatDigits), p[kLogFractions.size()]);
    return text;
}

} // namespace

std::string clt_text(float minimum, float maximum, const std::string& type)
{
    // The scale follows the palette: a type that is not exactly "Linear"
    // has only the ten logarithmic colours, so it must get the ten
    // logarithmic bounds too.
    const palette p = create_rgb_map(type);
    return is_linear_type(type) ? linear_text(minimum, maximum, p) : log_text(minimum, maximum, p);
}

clt_written create_clt(const clt_folders& folders, float minimum, float maximum, float, const std::string& type,
                       const std::string& name)
{
    clt_written result;
    {
        replaced_file table(folders.tables / (name + ".clt"));
        std::ofstream out(table.path(), std::ios::binary | std::ios::trunc);
        out << clt_text(minimum, maximum, type);
        out.close();
        result.table = bool(out) && table.commit();
    }
    result.legendProblem = create_colorbar_img(folders, type, name);
    return result;
}

} // namespace vardane
