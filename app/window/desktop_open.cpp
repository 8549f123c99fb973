#include "app/window/desktop_open.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "app/window/window_texts.h"

namespace vardane {

QString cannot_open_text(const QString& path, const QString& what)
{
    return QString::fromLatin1(window_text::kCannotOpen).arg(what, path);
}

bool open_with_desktop(QWidget* parent, const QString& path, const QString& what)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return true;
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(window_text::kTitle), cannot_open_text(path, what),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("cannotOpenBox"));
    // The path can be selected and copied from the box.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
    return false;
}

} // namespace vardane
