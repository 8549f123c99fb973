#pragma once

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QTest>
#include <QWidget>

namespace vardane {

// Saves what the screen shows once the widgets have repainted: the whole
// screen, as a user at that screen sees it, or, with
// VARDANE_SNAPSHOT_WINDOW_ONLY in the environment, only the area of `window`
// (a picture for the user guide).
inline bool save_screen_picture(const QString& path, const QWidget* window)
{
    QTest::qWait(300);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!window || qEnvironmentVariableIsEmpty("VARDANE_SNAPSHOT_WINDOW_ONLY")) return screen->grabWindow(0).save(path);
    const QRect area = window->frameGeometry();
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
}

} // namespace vardane
