#pragma once

#include "reader/spinfo.h"

// Corners of a JASMES image from the centre of its upper-left pixel, the pixel
// size and the first parameter's shape: the outer edges of the edge pixels.
// Also sets the product label "JASMES_" + para ("JASMES_unknown" without para).
void set_jasmes_corners_and_label(spinfo& info);
