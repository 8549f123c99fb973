#pragma once
// Reading a KMZ archive back: its entries with libzip, its image with GDAL
// through /vsizip/.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vardane {

namespace kmz_test {

// Entry name -> bytes; nothing when the archive cannot be opened.
std::optional<std::map<std::string, std::string>> unzip(const std::filesystem::path& kmz);

// The text split at CR LF; a line feed without CR before it is kept in the
// line, so that a wrong line ending shows.
std::vector<std::string> crlf_lines(const std::string& text);

// An image entry of the archive opened through GDAL.
struct image {
    int width = 0;
    int height = 0;
    int bands = 0;
    std::vector<std::vector<std::uint8_t>> planes; // one per band, row-major
    std::vector<int> pixel(int column, int row) const;
};
std::optional<image> read_image(const std::filesystem::path& kmz, const std::string& entry);

// The KML parsed with an XML reader: the text of every element named
// `element`, in document order; nothing when the document is not well formed.
std::optional<std::vector<std::string>> xml_texts(const std::string& kml, const std::string& element);

// The KML lines of an overlay named `base` over the box (north, south, east,
// west texts) with the given legend picture; with a quadrilateral line, the
// gx:LatLonQuad form.
std::vector<std::string> expected_kml(const std::string& base, const std::string& legend,
                                      const std::vector<std::string>& box, const std::optional<std::string>& quad);

} // namespace kmz_test

} // namespace vardane
