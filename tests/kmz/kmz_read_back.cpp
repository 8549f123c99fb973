#include "kmz/kmz_read_back.h"

#include <memory>

#include <QXmlStreamReader>
#include <gdal_priv.h>
#include <zip.h>

namespace vardane {

namespace kmz_test {

std::optional<std::map<std::string, std::string>> unzip(const std::filesystem::path& kmz)
{
    int error = 0;
    const std::unique_ptr<zip_t, decltype(&zip_discard)> z(zip_open(kmz.c_str(), ZIP_RDONLY, &error), zip_discard);
    if (!z) return std::nullopt;
    std::map<std::string, std::string> entries;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        // Names as stored: a name that is not UTF-8 is not recoded.
        if (zip_stat_index(z.get(), zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0) return std::nullopt;
        const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> f(zip_fopen_index(z.get(), zip_uint64_t(i), 0),
                                                                   zip_fclose);
        if (!f) return std::nullopt;
        std::string bytes(std::size_t(st.size), '\0');
        if (zip_fread(f.get(), bytes.data(), st.size) != zip_int64_t(st.size)) return std::nullopt;
        entries[st.name] = std::move(bytes);
    }
    return entries;
}

std::vector<std::string> crlf_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::vector<int> image::pixel(int column, int row) const
{
    std::vector<int> v;
    for (const auto& p : planes) v.push_back(p[std::size_t(row) * width + column]);
    return v;
}

std::optional<image> read_image(const std::filesystem::path& kmz, const std::string& entry)
{
    GDALAllRegister(); // the reading drivers, not only the ones the writers use
    const std::string path = "/vsizip/" + kmz.string() + "/" + entry;
    const std::unique_ptr<GDALDataset, void (*)(GDALDataset*)> ds(
        GDALDataset::FromHandle(GDALOpen(path.c_str(), GA_ReadOnly)), [](GDALDataset* d) { GDALClose(d); });
    if (!ds) return std::nullopt;
    image img{ds->GetRasterXSize(), ds->GetRasterYSize(), ds->GetRasterCount(), {}};
    for (int b = 1; b <= img.bands; ++b) {
        GDALRasterBand* band = ds->GetRasterBand(b);
        if (band->GetRasterDataType() != GDT_Byte) return std::nullopt;
        std::vector<std::uint8_t> plane(std::size_t(img.width) * img.height);
        if (band->RasterIO(GF_Read, 0, 0, img.width, img.height, plane.data(), img.width, img.height, GDT_Byte, 0, 0,
                           nullptr)
            != CE_None) {
            return std::nullopt;
        }
        img.planes.push_back(std::move(plane));
    }
    return img;
}

std::optional<std::vector<std::string>> xml_texts(const std::string& kml, const std::string& element)
{
    QXmlStreamReader xml(QByteArray::fromStdString(kml));
    std::vector<std::string> texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QString::fromStdString(element)) {
            texts.push_back(xml.readElementText(QXmlStreamReader::IncludeChildElements).toStdString());
        }
    }
    if (xml.hasError()) return std::nullopt;
    return texts;
}

std::vector<std::string> expected_kml(const std::string& base, const std::string& legend,
                                      const std::vector<std::string>& box, const std::optional<std::string>& quad)
{
    std::vector<std::string> lines = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        quad ? "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\" "
               "xmlns:kml=\"http://www.opengis.net/kml/2.2\" xmlns:atom=\"http://www.w3.org/2005/Atom\">"
             : "<kml xmlns=\"http://www.opengis.net/kml/2.2\">",
        "<Folder>",
        "<GroundOverlay>",
        "\t<name>" + base + "</name>",
        "\t<Icon>",
        "\t\t<href>" + base + ".tiff</href>",
        "\t</Icon>"};
    if (quad) {
        lines.insert(lines.end(),
                     {"\t<gx:LatLonQuad>", "\t\t<coordinates>", *quad, "\t\t</coordinates>", "\t</gx:LatLonQuad>"});
    }
    lines.insert(lines.end(),
                 {"\t<LatLonBox>", "\t\t<north>" + box[0] + "</north>", "\t\t<south>" + box[1] + "</south>",
                  "\t\t<east>" + box[2] + "</east>", "\t\t<west>" + box[3] + "</west>", "\t</LatLonBox>",
                  "</GroundOverlay>", "<ScreenOverlay>", "\t<name>COLOR_BAR</name>", "\t<Icon>",
                  "\t\t<href>" + legend + "</href>", "\t</Icon>",
                  "\t<overlayXY x=\"0\" y=\"1\" xunits=\"fraction\" yunits=\"fraction\"/>",
                  "\t<screenXY x=\"0\" y=\"15\" xunits=\"fraction\" yunits=\"insetPixels\"/>",
                  "\t<rotationXY x=\"0.5\" y=\"0.5\" xunits=\"fraction\" yunits=\"fraction\"/>",
                  "\t<size x=\"60\" y=\"360\" xunits=\"pixels\" yunits=\"pixels\"/>", "</ScreenOverlay>", "</Folder>",
                  "</kml>"});
    return lines;
}

} // namespace kmz_test

} // namespace vardane
