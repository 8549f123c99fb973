#pragma once

// Writers of synthetic JASMES (flat binary, HDF4) and GSMaP flat-binary
// products. The registry entries in register_jasmes.cpp wrap them; tests call
// them directly to build exact files.
#include <cstdint>
#include <string>
#include <vector>

namespace vardane {

// A named JASMES grid ("global", "japan", "japan5", "thailand", "gobi").
struct synth_grid {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    double lon; // centre of the upper-left pixel
    double lat;
    double resolution;
};

// nullptr for an unknown name. "japan5" is the fine Japan grid of the HDF4 files.
const synth_grid* find_synth_grid(const std::string& name);

// Header lines, each in its fixed-column format.
std::string t1_header_line(const synth_grid& g, double scale, double offset, const std::string& para,
                           const std::string& area);
std::string t1_wst_header_line(const synth_grid& g); // 40 characters
std::string t1rgb_header_line(const synth_grid& g, double scale, double offset, const std::string& para,
                              const std::string& area);
std::string t2_header_line(const synth_grid& g, const std::vector<double>& bandScales);

// Smooth field with land/sea-like structure: counts in [minValid, maxValid],
// fill where the mask says so. The first sample is always fill, so that a
// headerless file never begins with text.
std::vector<std::uint32_t> synth_counts(std::int32_t width, std::int32_t height, std::uint32_t seed,
                                        std::uint32_t minValid, std::uint32_t maxValid, std::uint32_t fill);

// Sample encodings of the flat files (16-bit and floats little-endian).
void append_u8(std::vector<unsigned char>& out, const std::vector<std::uint32_t>& counts);
void append_u16le(std::vector<unsigned char>& out, const std::vector<std::uint32_t>& counts);
void append_f32le(std::vector<unsigned char>& out, const std::vector<float>& values);

// A file of bytes; a headed file is headerRowBytes of header row (the line,
// a line feed, NUL padding) followed by payload. A path ending in ".gz" is
// written gzip-compressed, as the providers distribute the files. False when
// the line does not fit its row or the file cannot be written.
bool write_bytes_file(const std::string& path, const std::vector<unsigned char>& bytes);
bool write_headed_file(const std::string& path, const std::string& line, std::size_t headerRowBytes,
                       const std::vector<unsigned char>& payload);

// One dataset of a synthetic JASMES HDF4 file.
struct synth_sds {
    std::string name;      // "cs_flg_tpf", "Surface_Flag", ...
    int bits = 8;          // 8: unsigned 8-bit; 16: signed 16-bit
    bool writeData = true; // false: extents declared, no data stored
};

// HDF4 file with a "File Name" global attribute holding areaText and the given
// datasets, all of width x height. The 8-bit flag data follow synth_counts.
bool write_jasmes_hdf4(const std::string& path, std::int32_t width, std::int32_t height,
                       const std::vector<synth_sds>& datasets, const std::string& areaText, std::uint32_t seed);

// The GSMaP flat files as the provider names and fills them.
enum class synth_gsmap_period { hourly, daily, monthly };

// Codes of the provider's files: missing -99 in an hourly file, -999.9 in a
// daily or monthly one; an hourly file also marks sea ice (-4) and ground
// too cold to tell rain from (-8).
inline constexpr float kGsmapHourlyMissing = -99.0f;
inline constexpr float kGsmapSeaIce = -4.0f;
inline constexpr float kGsmapLowTemperature = -8.0f;
inline constexpr float kGsmapDailyMissing = -999.9f;

// GSMaP precipitation grid, columns x rows floats stored north-first from
// 0 degrees east, with the period's codes where there is no value.
std::vector<float> synth_precipitation(std::uint32_t columns, std::uint32_t rows, std::uint32_t seed,
                                       synth_gsmap_period period = synth_gsmap_period::hourly);

// The second grid of a monthly file: how many hours stand behind each value
// (whole numbers up to 744), missing where the precipitation is.
std::vector<float> synth_gsmap_counts(const std::vector<float>& precipitation);

} // namespace vardane
