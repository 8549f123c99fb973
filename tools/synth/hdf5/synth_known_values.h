#pragma once
// Values that every synthetic HDF5 product carries at known places, so that tests
// of the readers and writers can check that a value read, regridded or written
// lands where it must. "Data dataset" below means every dataset that holds a
// product variable (not the latitude/longitude arrays); "stored" indexes are in
// the dataset's own storage order.
//
// 1. Origin value: stored element 0 ([0][0], [0][0][0] ...) of every data dataset,
//    and of every layer of a layered dataset (for GSMaP and DPR the first element
//    of the layer's grid, stored [i][j][0][0]), holds the origin value of its type.
// 2. Parameter tag: the next stored element along the last two-dimensional axis
//    holds tag base + parameter index, where the parameter index is the position
//    that the reader gives the variable (for L2 high resolution 2k for layer k of
//    the 89A dataset and 2k+1 of the 89B dataset; for GSMaP, which has one
//    parameter, 0). Where that element is: 2-D [0][1]; L2/L3 rank-3 [0][1][k];
//    DPR rank 3 [k][1][0]; DPR rank 4 [i][j][1][0]; GSMaP [1][0].
//    (For the transposed GSMaP/DPR grids this is the next grid cell to the east.)
// 3. Marker: on gridded products one cell per layer holds the marker value of its
//    type: the cell that contains (kMarkerLat, kMarkerLon) on latitude/longitude
//    grids and SGLI tiles, (kMarkerNorthLat, kMarkerNorthLon) on the northern
//    polar-stereographic L3 grids and (kMarkerSouthLat, kMarkerSouthLon) on the
//    southern one; see the *_marker_* functions below. On swaths and scenes the
//    marker sits at stored [rows / 2][columns / 2] of every data dataset (every
//    layer); for the SGLI IRS bands stored at a quarter of the resolution at
//    [rows / 2][columns / 2] of their own shape.
// 4. Fill: samples without a value hold the fill value of their type.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vardane {

namespace synth_known {

// --- fill values ---------------------------------------------------------------
constexpr std::uint16_t kFillU16 = 65535;
constexpr std::int16_t kFillI16 = -32768;
constexpr std::uint8_t kFillU8 = 255;
constexpr float kFillFloat = -9999.9f;       // GSMaP, DPR precipitation
constexpr float kFillGeolocation = -9999.0f; // lost radiometer geolocation

// --- origin values (stored element 0 of every data dataset and layer) -----------
constexpr std::uint16_t kOriginU16 = 12345;
constexpr std::int16_t kOriginI16 = 2345;
constexpr std::uint8_t kOriginU8 = 77;
constexpr float kOriginFloat = 12.5f;

// --- parameter tags ---------------------------------------------------------------
constexpr int kTagBase = 1000;  // 16-bit and float datasets
constexpr int kTagBaseU8 = 100; // 8-bit datasets

// --- marker values -------------------------------------------------------------
constexpr std::uint16_t kMarkerU16 = 31337;
constexpr std::int16_t kMarkerI16 = 7777;
constexpr std::uint8_t kMarkerU8 = 222;
constexpr float kMarkerFloat = 77.25f;

constexpr double kMarkerLat = 35.05; // latitude/longitude grids, SGLI tiles
constexpr double kMarkerLon = 139.05;
constexpr double kMarkerNorthLat = 75.0; // northern polar-stereographic L3 grids
constexpr double kMarkerNorthLon = -40.0;
constexpr double kMarkerSouthLat = -75.0; // southern polar-stereographic L3 grid
constexpr double kMarkerSouthLon = 100.0;

// --- scale factors ("SCALE FACTOR" attributes) -----------------------------------
constexpr float kScaleBrightness = 0.01f;   // radiometer brightness temperatures, K
constexpr float kScaleCount = 1.0f;         // L1A observation counts
constexpr float kScaleGeolocation = 1.0f;   // latitude/longitude arrays, degrees
constexpr float kScalePrecipitation = 1.0f; // GSMaP, DPR float grids, mm/h
// Geophysical scale per three-letter code (CLW, PRC, SIC, SMC, SND, SST, SSW, TPW);
// 0 for an unknown code.
float geophysical_scale(const std::string& code);

// --- SGLI validity attributes ("Mask", "Minimum_valid_DN", "Maximum_valid_DN") ----
// on the 16-bit Image_data datasets of VNR, POL, IRS, LTOA and RSRF.
constexpr std::uint16_t kSgliMask = 0x3FFF;
constexpr std::uint16_t kSgliMinValidDN = 0;
constexpr std::uint16_t kSgliMaxValidDN = 65534;
// Stored [0][2] of every dataset with "Mask": a DN with flag bit 14 set; masked it
// gives kSgliFlaggedClean.
constexpr std::uint16_t kSgliFlaggedClean = 1234;
constexpr std::uint16_t kSgliFlaggedDN = 0x4000 | kSgliFlaggedClean;

// --- radiometer swaths ----------------------------------------------------------
// Co-registration parameters of the L1A and L1B products.
constexpr const char* kCoRegA1 = "6G-0.52,7G-0.47,10G-0.41,18G-0.28,23G-0.25,36G-0.12";
constexpr const char* kCoRegA2 = "6G--0.09,7G--0.08,10G--0.06,18G-0.03,23G-0.02,36G--0.01";
// The same texts with the real products' five decimals (--layout real).
constexpr const char* kCoRegA1Real = "6G-1.51820,7G-1.40210,10G-1.45760,18G-1.41960,23G-1.43840,36G-1.40040";
constexpr const char* kCoRegA2Real = "6G--0.13190,7G--0.10700,10G--0.03550,18G-0.01990,23G--0.00640,36G-0.07410";
// Lost geolocation: at scan kBadGeoScan the 89 GHz A and B arrays hold
// kFillGeolocation at sample kBadGeoSampleFill (latitude and longitude) and a
// latitude of kOverLatitude at sample kBadGeoSampleOver; the low-resolution arrays
// of L2 low hold kFillGeolocation at sample kBadGeoSampleFill / 2.
constexpr int kBadGeoScan = 1;
constexpr int kBadGeoSampleFill = 10;
constexpr int kBadGeoSampleOver = 12;
constexpr float kOverLatitude = 90.5f;

// --- where the markers are -------------------------------------------------------
struct stored_index {
    std::size_t first = 0;  // first of the two grid axes in storage order
    std::size_t second = 0; // second grid axis
};

// Radiometer L3 grid of width x height (stored [row][column], north-up; the
// latitude/longitude grids start at longitude 0): the marker cell, or nothing
// for a size that is none of the eight grids.
std::optional<stored_index> l3_marker_cell(int width, int height);

// GSMaP grid of nlon x nlat cells stored [x][y] (x from -180 eastward, y from -90
// northward).
stored_index gsmap_marker_cell(int nlon, int nlat);

// DPR grid of nlon x nlat cells stored [..][x][y], latitudes -67 to 67.
stored_index dpr_marker_cell(int nlon, int nlat);

// SGLI tile (h, v) of rows x columns stored [row][column]: the cell of
// (kMarkerLat, kMarkerLon), or nothing when the tile does not contain it (the
// marker then sits at [rows / 2][columns / 2]).
std::optional<stored_index> tile_marker_cell(int h, int v, int rows, int columns);

} // namespace synth_known

} // namespace vardane
