#pragma once

#include <QIcon>

// The program's icon (a globe crossed by a swath), drawn from the SVG the
// desktop entry uses, at the sizes window managers ask for.
QIcon app_icon();
