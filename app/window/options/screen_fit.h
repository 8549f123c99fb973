#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace vardane {

// Dialogs are designed for a roomy screen; on a small one (1366 x 768 at
// 125 %, about 1093 x 614 logical pixels) they must shrink so that their
// buttons stay on screen, their pages scrolling instead.

// Room a window manager's frame and title bar take around the dialog.
inline constexpr QSize kWindowFrame{16, 48};

// The designed size where it fits in `available` with a frame around it,
// else as much of it as does.
QSize fitted_size(const QSize& designed, const QRect& available);

// Where a dialog of `frame` size goes: centred on `over` (the parent's
// rectangle, or the available area), moved wholly into `available`.
QPoint fitted_position(const QSize& frame, const QRect& over, const QRect& available);

// The available area of the screen the dialog opens on: its parent's,
// else its own.
QRect available_area(const QWidget& dialog);

// Resizes the dialog to fitted_size(designed) on its screen and places it
// inside that screen; call before it is shown.
void fit_to_screen(QWidget& dialog, const QSize& designed);

} // namespace vardane
