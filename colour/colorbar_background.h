#pragma once

#include <filesystem>
#include <string>

namespace vardane {

// Size of the legend pictures: the KMZ screen overlay shows them at 60 x 360
// pixels.
inline constexpr int kLegendWidth = 60;
inline constexpr int kLegendHeight = 360;

// Draws the legend background for `type` ("Linear" or any other text for
// logarithmic) into a PNG file: a dark translucent panel with a strip of the
// palette's colours down its left edge, each colour between the rows where
// create_colorbar_img writes the bounds of its class, and the right part
// left free for those labels. False when the file cannot be written.
bool draw_colorbar_background(const std::filesystem::path& png, const std::string& type);

} // namespace vardane
