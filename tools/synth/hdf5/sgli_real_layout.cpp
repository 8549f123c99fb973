#include "sgli_real_layout.h"

#include <array>
#include <string_view>

namespace vardane {

namespace synth_sgli {

namespace {

using synth_h5::string_layout;

constexpr std::string_view kDnDescription = "Digital Number\n16383 : Missing value\n16382 : Saturation value";
// Seconds from 1993-01-01 to the synthetic scene's first line, and the line period.
constexpr double kStartTai93 = 836'098'233.0;
constexpr double kLineSeconds = 0.33;
constexpr float kAngleSlope = 0.01f;

bool level1b(const product& p) { return p.level == "1BSG"; }

void text(const H5::H5Object& obj, const std::string& name, std::string_view value)
{
    synth_h5::write_attr_string(obj, name, std::string(value), string_layout::fixed_1d);
}

void radiance_attributes(const H5::DataSet& ds, const synth_h5::storage& form)
{
    text(ds, "Bit00(LSB)-13", kDnDescription);
    synth_h5::write_attr_u16(ds, "Mask", 0x3FFF, form);
    synth_h5::write_attr_u16(ds, "Maximum_valid_DN", kMaxValidDN, form);
    synth_h5::write_attr_float(ds, "Offset", -0.5f, form);
    synth_h5::write_attr_float(ds, "Offset_reflectance", -0.05f, form);
    synth_h5::write_attr_float(ds, "Saturation_radiance", 500.0f, form);
    synth_h5::write_attr_float(ds, "Slope", 0.016f, form);
    synth_h5::write_attr_float(ds, "Slope_reflectance", 5e-05f, form);
    synth_h5::write_attr_float(ds, "Spatial_resolution", 1000.0f, form);
    text(ds, "Unit", "W/m2/sr/um");
}

} // namespace

sgli_layout layout_of(const synth_options& o, const product& p)
{
    if (o.layout != synth_layout::real) return {};
    return {{true, !level1b(p)}, true};
}

synth_variants::pair full_size(const product& p, const sgli_layout& layout)
{
    if (layout.real && p.id == sgli_product::vnr) return {1955, 1250};
    if (layout.real && p.tile) return {4800, 4800};
    return {p.full_lines, p.full_pixels};
}

void write_real_global_attributes(const H5::Group& group, const product& p)
{
    text(group, "Product_level", level1b(p) ? "Level-1B" : "Level-2");
    text(group, "Product_name", level1b(p) ? "Top of atmosphere radiance (reflectance)" : "Synthetic geophysical data");
    if (p.tile) {
        text(group, "Image_start_time", "20190701 00:00:00.000");
        text(group, "Image_end_time", "20190701 23:59:59.999");
    } else {
        text(group, "Scene_start_time", "20190701 01:30:02.123");
        text(group, "Scene_end_time", "20190701 01:34:12.456");
    }
}

void write_image_size(const H5::H5File& file, int lines, int pixels, const synth_h5::storage& form)
{
    const H5::Group g = file.openGroup("/Image_data");
    synth_h5::write_attr(g, "Number_of_lines", static_cast<std::int32_t>(lines), form);
    synth_h5::write_attr(g, "Number_of_pixels", static_cast<std::int32_t>(pixels), form);
}

void write_real_dataset_attributes(const H5::DataSet& ds, const product& p, const dataset& d,
                                   const synth_h5::storage& form)
{
    if (d.what == role::quality) {
        // Real L1B flags carry no attributes; L2 flags describe their bits.
        if (!level1b(p)) text(ds, "Data_description", "Bit00:no data;");
        return;
    }
    if (d.type == sample_type::u8 || d.what == role::cloud) {
        synth_h5::write_attr_float(ds, "Offset", 0.0f, form);
        synth_h5::write_attr_float(ds, "Slope", 1.0f, form);
        return;
    }
    if (d.what == role::radiance && level1b(p)) {
        radiance_attributes(ds, form);
        return;
    }
    synth_h5::write_attr_u16(ds, "Error_DN", 65535, form);
    synth_h5::write_attr_u16(ds, "Maximum_valid_DN", 65534, form);
    synth_h5::write_attr_u16(ds, "Minimum_valid_DN", 0, form);
    if (d.what == role::radiance) synth_h5::write_attr_u16(ds, "Mask", 0x3FFF, form);
    synth_h5::write_attr_float(ds, "Offset", 0.0f, form);
    synth_h5::write_attr_float(ds, "Slope", 0.001f, form);
    // Real L2 files state a unit where the quantity has one.
    text(ds, "Unit", d.name == "/Image_data/LST" ? "Kelvin" : "NA");
}

void mark_missing_and_saturated(std::vector<std::uint16_t>& counts)
{
    for (auto& c : counts) {
        if (c == 0xFFFF) c = kMissingDN;
    }
    if (counts.size() > 3) counts[3] = kSaturatedDN;
}

void write_line_times(const H5::H5File& file, int lines, const synth_h5::storage& form)
{
    std::vector<double> t(static_cast<std::size_t>(lines));
    for (int l = 0; l < lines; ++l) t[static_cast<std::size_t>(l)] = kStartTai93 + l * kLineSeconds;
    synth_h5::write_dataset(file, "/Image_data/Line_tai93", {static_cast<hsize_t>(lines)}, t, form);
}

void write_geolocation_attributes(const H5::DataSet& ds, int step, const synth_h5::storage& form)
{
    synth_h5::write_attr_float(ds, "Offset", 0.0f, form);
    synth_h5::write_attr(ds, "Resampling_interval", static_cast<std::int32_t>(step), form);
    synth_h5::write_attr_float(ds, "Slope", 1.0f, form);
    text(ds, "Unit", "degree");
}

void write_angles(const H5::H5File& file, const product& p, int rows, int cols, int step, const synth_h5::storage& form)
{
    std::vector<std::string> names{"Sensor_azimuth", "Sensor_zenith", "Solar_azimuth", "Solar_zenith"};
    if (p.id == sgli_product::vnr) {
        for (const char* base : {"Sensor_azimuth_VN", "Sensor_zenith_VN"}) {
            for (int band = 1; band <= 11; ++band) {
                names.push_back(std::string(base) + (band < 10 ? "0" : "") + std::to_string(band));
            }
        }
    }
    const std::vector<hsize_t> dims{static_cast<hsize_t>(rows), static_cast<hsize_t>(cols)};
    for (const auto& name : names) {
        // A zenith of 30 degrees, an azimuth of 100: stand-ins the readers never open.
        const auto value = static_cast<std::int16_t>(name.find("zenith") != std::string::npos ? 3000 : 10000);
        auto ds = synth_h5::write_constant(file, "/Geometry_data/" + name, dims, value, form);
        synth_h5::write_attr_float(ds, "Offset", 0.0f, form);
        synth_h5::write_attr(ds, "Resampling_interval", static_cast<std::int32_t>(step), form);
        synth_h5::write_attr_float(ds, "Slope", kAngleSlope, form);
    }
}

} // namespace synth_sgli

} // namespace vardane
