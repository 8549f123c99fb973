#include "radiometer_real_layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "synth_known_values.h"

namespace vardane {

namespace synth_radiometer {

namespace {

// Root attributes of real L1B and L2 granules in the order of their listings, with
// the listing's stand-in values; the ones a product derives are set below.
constexpr std::array<std::pair<std::string_view, std::string_view>, 54> kRootAttributes{{
    {"AlgorithmVersion", "220"},
    {"AncillaryDataInformation", ""},
    {"AntennaRotationVelocity", "40.0"},
    {"AttitudeMissingDataRate", "Fair"},
    {"AutomaticQAFlag", "Fair"},
    {"AutomaticQAFlagExplanation",
     "1.MissingScanQA:Less than 21 is available->NG,2.MissingDataQA:Less than 321 is available->NG,"
     "3.AntennaRotationQA:Less than 21 is available->OK,4.HotCalibrationSourceQA:Less than 21 is available->OK,"
     "5.AttitudeDataQA:Less than 21 is available->OK,6.EphemerisDataQA:Less than 21 is available->OK,"
     "7.QualityofGeometricInformationQA:Less than  1 is available->OK,"
     "8.BrightnessTemperatureQA:Less than 21 is available->OK"},
    {"CoRegistrationParameterA1", ""},
    {"CoRegistrationParameterA2", ""},
    {"ContactOrganizationName", "JAXA GCOM Project"},
    {"ContactOrganizationTelephone", ""},
    {"ECSDataModel", "B.0"},
    {"EphemerisMissingDataRate", "Fair"},
    {"EphemerisQA", "OK"},
    {"EquatorCrossingDateTime", "2019-07-01T01:55:59.000Z"},
    {"EquatorCrossingLongitude", "25.47"},
    {"GeophysicalName", ""},
    {"GlobalMeteorologicalDataType", "None"},
    {"GranuleID", ""},
    {"GringPointLatitude", "84.31,73.53,33.97,-24.96,-84.04,-73.28,-22.72,36.46"},
    {"GringPointLongitude", "-154.91,143.58,43.49,29.21,14.98,-48.26,13.45,26.04"},
    {"InputFileName", ""},
    {"NumberMissingPackets", "1248"},
    {"NumberOfGoodPackets", "30352"},
    {"NumberOfInputFiles", "2"},
    {"NumberOfMissingScans", "12"},
    {"NumberOfPackets", ""},
    {"NumberOfScans", ""},
    {"ObservationEndDateTime", "2019-07-01T02:21:31.456Z"},
    {"ObservationStartDateTime", "2019-07-01T01:30:33.123Z"},
    {"Operation", "Standard"},
    {"OrbitDataFileName", "W1_FDSEF-PRE8420120702113550"},
    {"OrbitDataType", "ELMP"},
    {"OrbitDirection", "Descending"},
    {"OverlapScans", "20"},
    {"PGEName", "GCOM-W1 Mission Operation System"},
    {"ParameterVersion", "220"},
    {"PassNumber", "215"},
    {"PlatformShortName", ""},
    {"ProcessingCenter", "JAXA GCOM Project"},
    {"ProcessingQAAttribute", "NumberofMissingPacketsQAPercentMissingData"},
    {"ProcessingQADescription", "PROC_COMP"},
    {"ProductName", ""},
    {"ProductSize_MByte", "6.4"},
    {"ProductVersion", "2"},
    {"ProductionDateTime", "2019-07-01T07:11:12.000Z"},
    {"QALocationOfPacketDiscontinuity", "Discontinuation"},
    {"QAPercentMissingData", "4"},
    {"QAPercentOutofBoundsData", "3"},
    {"QAPercentParityErrorData", "0"},
    {"ScienceQualityFlag", "0[%]"},
    {"ScienceQualityFlagExplanation",
     "Science Quality Flag [%] = (number of successfully retrieved pixels) / (number of targeted pixels) * 100.0"},
    {"SensorShortName", ""},
    {"StartOrbitNumber", "33501"},
    {"StopOrbitNumber", "33501"},
}};

// Extent of an axis of a housekeeping dataset: a number, the scans, or the
// low-resolution or 89 GHz samples.
constexpr int kScans = -1;
constexpr int kLow = -2;
constexpr int kHigh = -3;

enum class sample { u8, u16, i16, f32, f64 };

struct housekeeping {
    std::string_view name;
    sample type;
    std::array<int, 3> dims; // 0 ends the list
    float scale;
    std::string_view unit;
};

// clang-format off
constexpr std::array<housekeeping, 21> kL1bHousekeeping{{
    {"Cold Sky Mirror Count 6 to 36", sample::u16, {12, kScans, 16}, 1, ""},
    {"Cold Sky Mirror Count 89", sample::u16, {4, kScans, 32}, 1, ""},
    {"Earth Azimuth", sample::i16, {kScans, kLow, 0}, 0.01f, "deg"},
    {"Earth Incidence", sample::i16, {kScans, kLow, 0}, 0.01f, "deg"},
    {"Hot Load Count 6 to 36", sample::u16, {12, kScans, 16}, 1, ""},
    {"Hot Load Count 89", sample::u16, {4, kScans, 32}, 1, ""},
    {"Interpolation Flag 6 to 36", sample::u8, {12, kScans, 16}, 1, ""},
    {"Interpolation Flag 89", sample::u8, {4, kScans, 32}, 1, ""},
    {"Land_Ocean Flag 6 to 36", sample::u8, {4, kScans, kLow}, 1, ""},
    {"Land_Ocean Flag 89", sample::u8, {2, kScans, kHigh}, 1, ""},
    {"Navigation Data", sample::f32, {kScans, 6, 0}, 1, ""},
    {"Observation Supplement", sample::u16, {kScans, 5, 0}, 1, ""},
    {"PCD Data", sample::u16, {kScans, 128, 0}, 1, ""},
    {"Pixel Data Quality 6 to 36", sample::u8, {kScans, kHigh, 0}, 1, ""},
    {"Pixel Data Quality 89", sample::u8, {kScans, kHigh, 0}, 1, ""},
    {"Rx Offset_Gain Count", sample::u16, {kScans, 32, 0}, 1, ""},
    {"SPC Temperature Count", sample::u16, {kScans, 20, 0}, 1, ""},
    {"SPS Temperature Count", sample::u16, {kScans, 32, 0}, 1, ""},
    {"Scan Data Quality", sample::u8, {kScans, 512, 0}, 1, ""},
    {"Sun Azimuth", sample::i16, {kScans, kLow, 0}, 0.01f, "deg"},
    {"Sun Elevation", sample::i16, {kScans, kLow, 0}, 0.01f, "deg"},
}};
// clang-format on

// Seconds from 1993-01-01 to the synthetic granule's start, and the scan period.
constexpr double kStartTai93 = 836'098'233.0;
constexpr double kScanSeconds = 1.5;

void write_housekeeping(const H5::H5File& file, const housekeeping& h, int scans, int samples89,
                        const synth_h5::storage& form)
{
    std::vector<hsize_t> dims;
    for (const int d : h.dims) {
        if (d == 0) break;
        dims.push_back(static_cast<hsize_t>(d == kScans  ? scans
                                            : d == kLow  ? samples89 / 2
                                            : d == kHigh ? samples89
                                                         : d));
    }
    H5::DataSet ds;
    switch (h.type) {
    case sample::u8: ds = synth_h5::write_constant<std::uint8_t>(file, std::string(h.name), dims, 0, form); break;
    case sample::u16: ds = synth_h5::write_constant<std::uint16_t>(file, std::string(h.name), dims, 0, form); break;
    case sample::i16: ds = synth_h5::write_constant<std::int16_t>(file, std::string(h.name), dims, 0, form); break;
    case sample::f32: ds = synth_h5::write_constant<float>(file, std::string(h.name), dims, 0.0f, form); break;
    case sample::f64: ds = synth_h5::write_constant<double>(file, std::string(h.name), dims, 0.0, form); break;
    }
    synth_h5::write_attr_float(ds, "SCALE FACTOR", h.scale, form);
    write_unit(ds, h.unit);
}

} // namespace

synth_h5::storage storage_of(const synth_options& o, bool geophysical_level)
{
    if (o.layout != synth_layout::real) return {};
    return {true, geophysical_level};
}

void write_real_root_attributes(const H5::H5File& file, const sensor& s, const root_attributes& a, int scans,
                                synth_h5::string_layout layout)
{
    const bool amsr2 = s.product_prefix == "AMSR2";
    for (const auto& [name, standIn] : kRootAttributes) {
        std::string value(standIn);
        if (name == "ProductName") value = a.product_name;
        if (name == "GranuleID") value = a.granule;
        if (name == "InputFileName") value = a.granule + ".h5";
        if (name == "PlatformShortName") value = amsr2 ? "GCOM-W1" : "Aqua";
        if (name == "SensorShortName") value = std::string(s.product_prefix);
        if (name == "NumberOfScans") value = scans > 0 ? std::to_string(scans) : std::string();
        if (name == "GeophysicalName") {
            if (a.geophysical_name.empty()) continue;
            value = a.geophysical_name;
        }
        if (name == "CoRegistrationParameterA1" || name == "CoRegistrationParameterA2") {
            if (!a.co_registration) continue;
            value = name.back() == '1' ? synth_known::kCoRegA1Real : synth_known::kCoRegA2Real;
            write_coregistration(file, std::string(name), value, a.co_registration_form, layout);
            continue;
        }
        synth_h5::write_attr_string(file, std::string(name), value, layout);
    }
}

void write_unit(const H5::H5Object& obj, std::string_view unit)
{
    synth_h5::write_attr_string(obj, "UNIT", std::string(unit), synth_h5::string_layout::fixed_1d);
}

std::string_view geophysical_unit(const geophysical& g)
{
    constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kUnits{{
        {"CLW", "kg/m2"},
        {"PRC", "mm/h"},
        {"SIC", "%"},
        {"SMC", "%"},
        {"SND", "cm"},
        {"SST", "C"},
        {"SSW", "m/s"},
        {"TPW", "kg/m2"},
    }};
    for (const auto& [code, unit] : kUnits) {
        if (code == g.code) return unit;
    }
    return "";
}

void write_l1b_housekeeping(const H5::H5File& file, int scans, int samples89, const synth_h5::storage& form)
{
    for (const auto& h : kL1bHousekeeping) write_housekeeping(file, h, scans, samples89, form);
}

void write_scan_datasets(const H5::H5File& file, int scans, const synth_h5::storage& form)
{
    std::vector<double> time(static_cast<std::size_t>(scans));
    std::vector<double> position(time.size());
    for (int s = 0; s < scans; ++s) {
        time[static_cast<std::size_t>(s)] = kStartTai93 + s * kScanSeconds;
        position[static_cast<std::size_t>(s)] = 180.0 * s / scans;
    }
    const std::vector<hsize_t> dims{static_cast<hsize_t>(scans)};
    auto orbit = synth_h5::write_dataset(file, "Position in Orbit", dims, position, form);
    synth_h5::write_attr_float(orbit, "SCALE FACTOR", 1.0f, form);
    write_unit(orbit, "");
    auto scan = synth_h5::write_dataset(file, "Scan Time", dims, time, form);
    synth_h5::write_attr_float(scan, "SCALE FACTOR", 1.0f, form);
    write_unit(scan, "sec");
}

void write_l2_pixel_quality(const H5::H5File& file, int scans, int samples_low, const synth_h5::storage& form)
{
    const std::vector<hsize_t> dims{2, static_cast<hsize_t>(scans), static_cast<hsize_t>(samples_low)};
    auto ds = synth_h5::write_constant<std::uint8_t>(file, "Pixel Data Quality", dims, 0, form);
    synth_h5::write_attr_float(ds, "SCALE FACTOR", 1.0f, form);
    write_unit(ds, "");
}

void write_l3_time_information(const H5::H5File& file, int rows, int columns, const synth_h5::storage& form)
{
    const std::vector<hsize_t> dims{static_cast<hsize_t>(rows), static_cast<hsize_t>(columns)};
    auto ds = synth_h5::write_constant<float>(file, "Time Information", dims, 12.0f, form);
    synth_h5::write_attr_float(ds, "SCALE FACTOR", 1.0f, form);
    write_unit(ds, "hour");
}

} // namespace synth_radiometer

} // namespace vardane
