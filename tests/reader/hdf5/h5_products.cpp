#include "reader/hdf5/h5_products.h"

#include <cstdio>

#include "reader/hdf5/hdf5_dataset_tables.h"

namespace vardane {

namespace h5prod {

std::vector<hdfParam_t> table_of(productType kind)
{
    const auto* t = hdf5_table_of(kind);
    return t ? *t : std::vector<hdfParam_t>{};
}

void write_table(h5fx::file& f, const std::vector<hdfParam_t>& table, hsize_t rows, hsize_t cols, hsize_t layers)
{
    for (const auto& e : table) {
        std::vector<hsize_t> dims{rows, cols};
        if (e.rank == 3) dims.push_back(layers);
        switch (e.h5type) {
        case h5_sample::int16: f.dataset<std::int16_t>(e.name, dims); break;
        case h5_sample::uint16: f.dataset<std::uint16_t>(e.name, dims); break;
        case h5_sample::uint8: f.dataset<std::uint8_t>(e.name, dims); break;
        case h5_sample::float32: f.dataset<float>(e.name, dims); break;
        }
    }
}

void write_radiometer(const std::filesystem::path& path, const std::string& productName, productType kind, hsize_t rows,
                      hsize_t cols, hsize_t layers, const std::vector<std::pair<std::string, float>>& scales)
{
    h5fx::file f(path);
    f.text_vlen_1d("ProductName", productName);
    f.text_vlen_1d("GranuleID", "GW1AM2_202401010000_000A");
    write_table(f, table_of(kind), rows, cols, layers);
    for (const auto& [name, scale] : scales) f.attribute<float>(name, "SCALE FACTOR", scale);
}

std::string gpm_header(const std::string& satellite, const std::string& interval, const std::string& fileName)
{
    return "DOIauthority=http://dx.doi.org/;\nAlgorithmID=GSMaP;\nFileName=" + fileName
           + ";\nSatelliteName=" + satellite + ";\nInstrumentName=MERGED;\nTimeInterval=" + interval + ";\n";
}

void write_gsmap_hourly(const std::filesystem::path& path, hsize_t w, hsize_t h,
                        const std::function<void(h5fx::file&)>& extra)
{
    h5fx::file f(path);
    f.text_vlen_1d("FileHeader", gpm_header("MULTI", "HOUR"));
    f.dataset<float>("/Grid/hourlyPrecipRate", {w, h});
    if (extra) extra(f);
}

std::string sgli_scene_name(const std::string& code)
{
    // 0-5 mission, 7-18 date and time, 19 'F', 20-24 path, 26-30 level.
    return "GC1SG1_202401010131F05810_1BSG_" + code + "_2000.h5";
}

std::string sgli_tile_name(const std::string& code, const std::string& period, int tileV, int tileH)
{
    char tile[8];
    std::snprintf(tile, sizeof tile, "%02d%02d", tileV, tileH);
    // 7-14 date, 15 'D', 16-18 period, 19-20 "_T", 21-22 vertical and 23-24
    // horizontal tile number, 26-30 level.
    return "GC1SG1_20240101D" + period + "_T" + tile + "_L2SG_" + code + "_Q_2000.h5";
}

void init(spinfo& info, const std::filesystem::path& path) { info.init(path.string(), h5fx::size_of(path)); }

} // namespace h5prod

} // namespace vardane
