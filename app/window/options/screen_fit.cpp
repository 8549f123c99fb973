#include "app/window/options/screen_fit.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vardane {

QSize fitted_size(const QSize& designed, const QRect& available)
{
    return designed.boundedTo(available.size() - kWindowFrame).expandedTo(QSize(1, 1));
}

QPoint fitted_position(const QSize& frame, const QRect& over, const QRect& available)
{
    QPoint at = over.center() - QPoint(frame.width() / 2, frame.height() / 2);
    at.setX(std::clamp(at.x(), available.left(), std::max(available.left(), available.right() + 1 - frame.width())));
    at.setY(std::clamp(at.y(), available.top(), std::max(available.top(), available.bottom() + 1 - frame.height())));
    return at;
}

QRect available_area(const QWidget& dialog)
{
    const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : &dialog;
    QScreen* screen = owner->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void fit_to_screen(QWidget& dialog, const QSize& designed)
{
    const QRect available = available_area(dialog);
    dialog.resize(fitted_size(designed, available));
    const QWidget* parent = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    const QRect over = parent && parent->isVisible() ? parent->frameGeometry() : available;
    // The frame is not known before the window manager has framed the
    // dialog; the allowance stands in for it.
    const QPoint at = fitted_position(dialog.size() + kWindowFrame, over, available);
    dialog.move(at);
}

} // namespace vardane
