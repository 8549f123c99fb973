#include "app/window/app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Qt names a static library's resource initialiser at global scope, so it is
// called from there.
static void init_window_resources() { Q_INIT_RESOURCE(window); }

namespace vardane {

QIcon app_icon()
{
    // The resources of a static library are registered by hand.
    init_window_resources();
    QSvgRenderer svg(QStringLiteral(":/icons/vardane.svg"));
    QIcon icon;
    if (!svg.isValid()) return icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace vardane
