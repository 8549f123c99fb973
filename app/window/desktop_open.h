#pragma once

#include <QString>

class QWidget;

namespace vardane {

// Opens a local file or folder with the desktop's application for it (on
// Linux through xdg-open). When the desktop cannot, a message box says so
// and names the path, so that the user can open it by hand; `what` names
// the thing in that message ("the manual", "the file"). Returns whether the
// desktop took it.
bool open_with_desktop(QWidget* parent, const QString& path, const QString& what);

// The text of that message.
QString cannot_open_text(const QString& path, const QString& what);

} // namespace vardane
