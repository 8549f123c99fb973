#pragma once

#include <filesystem>

namespace vardane {

// Where a colour table and its legend picture are written, and where the
// two legend backgrounds lie. They differ when the program's data folder is
// read-only and the user's own tables go to a folder of their own.
struct clt_folders {
    std::filesystem::path tables;      // NAME.clt and NAME.png
    std::filesystem::path backgrounds; // colorbar_base10.png, colorbar_base.png
};

// File names of the legend backgrounds: linear tables (11 labels) and
// logarithmic tables (10 labels).
inline constexpr const char* kLinearBackground = "colorbar_base10.png";
inline constexpr const char* kLogBackground = "colorbar_base.png";

} // namespace vardane
