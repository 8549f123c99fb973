#pragma once

#include <QIcon>

namespace vardane {

// The program's icon (a globe crossed by a swath), drawn from the SVG the
// desktop entry uses, at the sizes window managers ask for.
QIcon app_icon();

} // namespace vardane
