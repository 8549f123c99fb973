#pragma once
// Reading the outputs of a run back: GeoTIFF and TIFF files through GDAL,
// text files whole, and the log printed by vardane-cli.

#include <gdal_priv.h>

#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vardane {

namespace integration {

// One raster file opened read-only; closed when the object goes.
class raster_file {
public:
    explicit raster_file(const std::filesystem::path& path);

    bool is_open() const { return ds_ != nullptr; }
    int width() const;
    int height() const;
    int bands() const;
    GDALDataType type(int band) const;
    // The band's recorded NoData value, if any.
    std::optional<double> nodata(int band) const;
    // The file's geotransform, or nothing when it has none.
    std::optional<std::array<double, 6>> geotransform() const;
    std::string projection() const;
    // A whole band as doubles, row-major, first row first.
    std::vector<double> band(int band) const;
    // Rows first .. first + count - 1 of a band, as doubles.
    std::vector<double> rows(int band, int first, int count) const;
    double at(int band, int column, int row) const;
    // The value of the pixel whose area holds (lon, lat), through the
    // geotransform; NaN outside the image.
    double at_lonlat(int band, double lon, double lat) const;

private:
    struct closer {
        void operator()(GDALDataset* ds) const { GDALClose(ds); }
    };
    std::unique_ptr<GDALDataset, closer> ds_;
};

std::string read_text(const std::filesystem::path& path);

// Names of the regular files directly inside a folder, sorted.
std::vector<std::string> file_names(const std::filesystem::path& folder);

std::size_t count_of(const std::vector<std::string>& lines, const std::string& text);

// The names X of the lines "<kind> file(X) is created.", in log order.
std::vector<std::string> created(const std::vector<std::string>& lines, const std::string& kind);

} // namespace integration

} // namespace vardane
