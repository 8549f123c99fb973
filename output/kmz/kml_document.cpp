#include "output/kmz/kml_document.h"

#include <array>
#include <utility>

#include "util/number_text.h"

namespace vardane {

namespace {

constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr const char* kKmlStart = "<kml xmlns=\"http://www.opengis.net/kml/2.2\">";
// The quadrilateral is an extension element: its namespace must be declared.
constexpr const char* kKmlStartWithExtensions =
    "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\" "
    "xmlns:kml=\"http://www.opengis.net/kml/2.2\" xmlns:atom=\"http://www.w3.org/2005/Atom\">";

constexpr std::array<const char*, 9> kLegendLines = {
    "<ScreenOverlay>",
    "\t<name>COLOR_BAR</name>",
    "\t<Icon>",
    nullptr, // the picture's href
    "\t</Icon>",
    "\t<overlayXY x=\"0\" y=\"1\" xunits=\"fraction\" yunits=\"fraction\"/>",
    "\t<screenXY x=\"0\" y=\"15\" xunits=\"fraction\" yunits=\"insetPixels\"/>",
    "\t<rotationXY x=\"0.5\" y=\"0.5\" xunits=\"fraction\" yunits=\"fraction\"/>",
    "\t<size x=\"60\" y=\"360\" xunits=\"pixels\" yunits=\"pixels\"/>",
};

// A file name inside markup: the few characters XML reserves are escaped,
// so that an odd input name cannot break the document.
std::string xml_text(const std::string& s)
{
    std::string out;
    for (char ch : s) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += ch;
        }
    }
    return out;
}

std::string triple(const earthPoint_t& p)
{
    return format_fixed(p.lon, 2) + "," + format_fixed(p.lat, 2) + "," + format_fixed(0.0, 1);
}

// West first: the smaller longitude.
std::pair<earthPoint_t, earthPoint_t> west_east(const earthPoint_t& a, const earthPoint_t& b)
{
    return a.lon <= b.lon ? std::pair{a, b} : std::pair{b, a};
}

// South-west, south-east, north-east, north-west. The southern edge is the
// lower pair of corners for a north-up raster and the upper pair for a
// south-up one.
std::string quad_coordinates(const earthPoint_t c[4])
{
    using namespace corner;
    const bool northUp = c[UL].lat > c[LL].lat;
    const auto [sw, se] = northUp ? west_east(c[LL], c[LR]) : west_east(c[UL], c[UR]);
    const auto [nw, ne] = northUp ? west_east(c[UL], c[UR]) : west_east(c[LL], c[LR]);
    return "\t\t" + triple(sw) + "  " + triple(se) + "  " + triple(ne) + "  " + triple(nw);
}

} // namespace

std::vector<std::string> kml_lines(const std::string& base, const earthPoint_t corners[4], bool quad,
                                   const std::optional<std::string>& legendName)
{
    std::vector<std::string> l = {
        kXmlDeclaration,
        quad ? kKmlStartWithExtensions : kKmlStart,
        "<Folder>",
        "<GroundOverlay>",
        "\t<name>" + xml_text(base) + "</name>",
        "\t<Icon>",
        "\t\t<href>" + xml_text(base) + ".tiff</href>",
        "\t</Icon>",
    };
    if (quad) {
        l.insert(l.end(), {"\t<gx:LatLonQuad>", "\t\t<coordinates>", quad_coordinates(corners), "\t\t</coordinates>",
                           "\t</gx:LatLonQuad>"});
    }
    l.insert(l.end(), {
                          "\t<LatLonBox>",
                          "\t\t<north>" + format_fixed(corners[corner::UL].lat, 6) + "</north>",
                          "\t\t<south>" + format_fixed(corners[corner::LR].lat, 6) + "</south>",
                          "\t\t<east>" + format_fixed(corners[corner::LR].lon, 6) + "</east>",
                          "\t\t<west>" + format_fixed(corners[corner::UL].lon, 6) + "</west>",
                          "\t</LatLonBox>",
                          "</GroundOverlay>",
                      });
    if (legendName) {
        for (const char* line : kLegendLines) {
            l.push_back(line ? std::string(line) : "\t\t<href>" + xml_text(*legendName) + "</href>");
        }
        l.push_back("</ScreenOverlay>");
    }
    l.insert(l.end(), {"</Folder>", "</kml>"});
    return l;
}

std::string kml_text(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

} // namespace vardane
