#include "integration/read_back.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

namespace vardane {

namespace fs = std::filesystem;

namespace integration {

raster_file::raster_file(const fs::path& path)
{
    GDALAllRegister();
    ds_.reset(static_cast<GDALDataset*>(GDALOpen(path.c_str(), GA_ReadOnly)));
}

int raster_file::width() const { return ds_ ? ds_->GetRasterXSize() : 0; }
int raster_file::height() const { return ds_ ? ds_->GetRasterYSize() : 0; }
int raster_file::bands() const { return ds_ ? ds_->GetRasterCount() : 0; }

GDALDataType raster_file::type(int band) const
{
    return ds_ && band >= 1 && band <= bands() ? ds_->GetRasterBand(band)->GetRasterDataType() : GDT_Unknown;
}

std::optional<double> raster_file::nodata(int band) const
{
    if (!ds_ || band < 1 || band > bands()) return std::nullopt;
    int has = 0;
    const double v = ds_->GetRasterBand(band)->GetNoDataValue(&has);
    return has ? std::optional<double>(v) : std::nullopt;
}

std::optional<std::array<double, 6>> raster_file::geotransform() const
{
    std::array<double, 6> gt{};
    if (!ds_ || ds_->GetGeoTransform(gt.data()) != CE_None) return std::nullopt;
    return gt;
}

std::string raster_file::projection() const
{
    const char* wkt = ds_ ? ds_->GetProjectionRef() : nullptr;
    return wkt ? wkt : "";
}

std::vector<double> raster_file::band(int band) const { return rows(band, 0, height()); }

std::vector<double> raster_file::rows(int band, int first, int count) const
{
    if (!ds_ || band < 1 || band > bands() || first < 0 || count < 1 || first + count > height()) return {};
    std::vector<double> values(std::size_t(width()) * std::size_t(count));
    if (ds_->GetRasterBand(band)->RasterIO(GF_Read, 0, first, width(), count, values.data(), width(), count,
                                           GDT_Float64, 0, 0)
        != CE_None) {
        return {};
    }
    return values;
}

double raster_file::at(int band, int column, int row) const
{
    const auto line = row >= 0 && row < height() ? rows(band, row, 1) : std::vector<double>{};
    return column >= 0 && std::size_t(column) < line.size() ? line[std::size_t(column)]
                                                            : std::numeric_limits<double>::quiet_NaN();
}

double raster_file::at_lonlat(int band, double lon, double lat) const
{
    const auto gt = geotransform();
    if (!gt) return std::numeric_limits<double>::quiet_NaN();
    const double c = (lon - (*gt)[0]) / (*gt)[1];
    const double r = (lat - (*gt)[3]) / (*gt)[5];
    return at(band, static_cast<int>(std::floor(c)), static_cast<int>(std::floor(r)));
}

std::string read_text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> file_names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t count_of(const std::vector<std::string>& lines, const std::string& text)
{
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), text));
}

std::vector<std::string> created(const std::vector<std::string>& lines, const std::string& kind)
{
    const std::string head = kind + " file(";
    const std::string tail = ") is created.";
    std::vector<std::string> names;
    for (const auto& l : lines) {
        if (l.size() > head.size() + tail.size() && l.rfind(head, 0) == 0
            && l.compare(l.size() - tail.size(), tail.size(), tail) == 0) {
            names.push_back(l.substr(head.size(), l.size() - head.size() - tail.size()));
        }
    }
    return names;
}

} // namespace integration

} // namespace vardane
