#pragma once

#include <string>

// One geographic output window of the swath regridder. Pixel (x, y) maps to
// lon = lon_min + x * (lon_max - lon_min) / width,
// lat = lat_max - y * (lat_max - lat_min) / height.
struct view_t {
    int width = 0;
    int height = 0;
    int lon_min = 0;
    int lat_min = 0;
    int lon_max = 0;
    int lat_max = 0;
    std::string suffix;
};

// The active window and grid size, set by the swath regridder before it maps
// points with getXY.
extern view_t view;
extern int WIDTH;
extern int HEIGHT;

// Map (x = lon, y = lat) into the active grid; rows grow downwards. No clipping.
void getXY(float x, float y, int& column, int& row);
