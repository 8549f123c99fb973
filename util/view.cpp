#include "util/view.h"

view_t view;
int WIDTH = 0;
int HEIGHT = 0;

void getXY(float x, float y, int& column, int& row)
{
    const double left = static_cast<float>(view.lon_min);
    const double bottom = static_cast<float>(view.lat_min);
    const double right = static_cast<float>(view.lon_max);
    const double top = static_cast<float>(view.lat_max);
    const double w = static_cast<float>(WIDTH);
    const double h = static_cast<float>(HEIGHT);
    column = static_cast<int>(w / (right - left) * (x - left) + 0.5);
    row = static_cast<int>(h / (top - bottom) * (top - y) + 0.5);
}
