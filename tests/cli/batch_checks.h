#pragma once
// What every batch must leave behind, however it ended: no working folder,
// and in the output folder only files the log announced, each a whole
// raster with its georeferencing.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "integration/read_back.h"
#include "support/cli_process.h"

namespace vardane {

namespace cli_test {

inline void expect_clean_output(const process_result& r, const std::filesystem::path& out)
{
    for (const auto& entry : std::filesystem::directory_iterator(out)) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
    }
    auto announced = integration::created(r.lines, "GeoTIFF");
    std::sort(announced.begin(), announced.end());
    EXPECT_EQ(integration::file_names(out), announced) << r.out;
    for (const auto& name : announced) {
        const integration::raster_file raster(out / name);
        EXPECT_TRUE(raster.is_open() && raster.geotransform().has_value() && raster.width() > 0) << name;
    }
}

inline bool says(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

inline std::string summary_of(const process_result& r) { return r.lines.empty() ? "" : r.lines.back(); }

} // namespace cli_test

} // namespace vardane
