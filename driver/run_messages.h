#pragma once

#include <string>

namespace vardane {

// The fixed log lines of a conversion run. They are the program's own words,
// shown in the window and printed by the command-line front end, and other
// tools compare them byte for byte: keep every blank and every spelling.
namespace run_msg {

inline constexpr const char* kStart = "-- Converting Start -------";
inline constexpr const char* kCompleted = "Completed.";
inline constexpr const char* kWorkFolderFailed = "Fail in working-folder. Abort.";
inline constexpr const char* kOutputFolderMissing = "Output folder is NOT exits.";
inline constexpr const char* kCancel = "Cancel is activated.";
inline constexpr const char* kUnhandled = "Unhandled exception.";
inline constexpr const char* kExceptionPrefix = "Exception: ";

// Per file.
inline constexpr const char* kNotProductHead = "Filename(";
inline constexpr const char* kNotProductTail = ") is Not Product Data.";
inline constexpr const char* kProcessingTail = "' is processing, now...  ";
inline constexpr const char* kNotSelected = "Converting variables  are Not Selected.";
inline constexpr const char* kReadingHead = "Reading ";
inline constexpr const char* kReadingTail = " .....";

// Per variable.
inline constexpr const char* kReadingData = "Reading product data .....";
inline constexpr const char* kReadFailed = "Fail in reading product.  Skipped.";
inline constexpr const char* kGenerating = "Generate image files .....";
inline constexpr const char* kTiffNotGcomc = "Tiff is NOT supporting GCOM-C Product.";
inline constexpr const char* kKmzNotGcomc = "KMZ is NOT supporting GCOM-C Product.";
inline constexpr const char* kKmzNotL3Polar = "KMZ is NOT supporting GCOMW-L3_PolorStereo Product.";
inline constexpr const char* kProjNotEqr = "Projection-setting is NOT 'lat/lon(EQR)'.  Skipped.";
inline constexpr const char* kProjNotNorth = "Projection-setting is NOT 'polar stereo (North)'.  Skipped.";
inline constexpr const char* kProjNotSouth = "Projection-setting is NOT 'polar stereo (South)'.  Skipped.";

// A co-registration attribute the file has but whose text cannot be used:
// the low-frequency footprints then stay on the first 89 GHz A sample of
// their pair (about 2 km off), which must not pass unsaid.
inline std::string coregistration_unreadable_line(const std::string& attribute)
{
    return "Warning: attribute " + attribute
           + " is present but cannot be read; low-frequency positions are not co-registered.";
}

// Writer failures: head + file name(s) + kFailTail.
inline constexpr const char* kFailTiff = "Fail in creating TIFF file(";
inline constexpr const char* kFailGeoTiff = "Fail in creating GeoTIFF file(";
inline constexpr const char* kFailGeoTiffPair = "Fail in creating GeoTIFF files(";
inline constexpr const char* kFailKmz = "Fail in creating KMZ file(";
inline constexpr const char* kFailTail = ").";
inline constexpr const char* kFailNetcdf = "Fail in creating NetCDF file(";
inline constexpr const char* kFailInformation = "Fail in creating Information file(";

inline std::string failure_line(const char* head, const std::string& names) { return head + names + kFailTail; }
// The same line for an output of a kind word ("GeoTIFF", "KMZ", ...).
inline std::string kind_failure_line(const std::string& kind, const std::string& name)
{
    return "Fail in creating " + kind + " file(" + name + kFailTail;
}

// NetCDF and position information, once per file.
inline constexpr const char* kNetcdfUnsupported = "NetCDF unsupported.";
inline constexpr const char* kNetcdfGenerating = "Generate NetCDF file ...";
inline constexpr const char* kPosInfoCreating = "Creating position informatoin file.";

// Move-and-report: kind + kCreatedHead + name + kCreatedTail.
inline constexpr const char* kCreatedHead = " file(";
inline constexpr const char* kCreatedTail = ") is created.";

// An output whose name another output of the same run already took.
inline std::string collision_line(const std::string& kind, const std::string& name, const std::string& first,
                                  const std::string& second)
{
    return "Fail in creating " + kind + " file(" + name + "): the same name was already created from " + first
           + " in this run; not replaced by the one from " + second + ".";
}

// Kind words of move-and-report.
inline constexpr const char* kKindTiff = "TIFF";
inline constexpr const char* kKindGeoTiff = "GeoTIFF";
inline constexpr const char* kKindKmz = "KMZ";
inline constexpr const char* kKindNetcdf = "NetCDF";
inline constexpr const char* kKindInformation = "Information";
// Kind of a failure of a whole input file (damaged, out of memory).
inline constexpr const char* kKindProduct = "Product";

} // namespace run_msg

} // namespace vardane
