#pragma once

#include <string>

namespace vardane {

// Causes of a writer's refusal that no library words: the call could not
// begin.
namespace write_cause {
inline constexpr const char* kNotReady = "no raster is loaded";
inline constexpr const char* kNoName = "no file name was given";
inline constexpr const char* kSampleType = "the raster's sample type has no such output";
inline constexpr const char* kNoGtiff = "GDAL has no GTiff driver";
inline constexpr const char* kOutOfMemory = "out of memory";
inline constexpr const char* kNotGlobal = "the raster does not cover the whole Earth";
inline constexpr const char* kUnknownGrid = "the raster's size is no known grid";
inline constexpr const char* kNoGeolocation = "the swath has no usable geolocation";
// The last resort when a library refused without a word.
inline constexpr const char* kNotWritten = "not written";
} // namespace write_cause

// The words the system and GDAL left about a failed write of path on this
// thread: the guarded file's first write error on path (taken), else GDAL's
// last failure message; "" when neither said anything.
std::string library_cause(const std::string& path);

} // namespace vardane
