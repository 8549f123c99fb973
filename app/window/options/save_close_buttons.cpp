#include "app/window/options/save_close_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace vardane {

QLayout* save_close_buttons(QDialog* dialog, const QString& saveName, const QString& closeName)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    const auto button = [&](const QString& text, const QString& name, void (QDialog::*slot)()) {
        auto* b = new QPushButton(text, dialog);
        b->setObjectName(name);
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, dialog, slot);
        row->addWidget(b);
    };
    button(QStringLiteral("Save"), saveName, &QDialog::accept);
    button(QStringLiteral("Close"), closeName, &QDialog::reject);
    return row;
}

} // namespace vardane
