#include "app/window/options/option_group_frame.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vardane {

namespace {

QLabel* text_label(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

} // namespace

option_group_frame build_group_frame(QGroupBox* box, QWidget* projection, const QString& colorbarButton,
                                     const QString& targetCaption)
{
    option_group_frame frame;
    auto* layout = new QGridLayout(box);
    layout->setColumnStretch(1, 1);
    int row = 0;

    layout->addWidget(text_label(QStringLiteral("Projection(GeoTIFF)"), box), row, 0);
    layout->addWidget(projection ? projection : text_label(QStringLiteral("lat/lon (EQR)"), box), row++, 1);

    if (!colorbarButton.isEmpty()) {
        layout->addWidget(text_label(QStringLiteral("Projection(KMZ)"), box), row, 0);
        auto* kmz = new QHBoxLayout;
        kmz->addWidget(text_label(QStringLiteral("lat/lon (EQR)"), box));
        frame.colorbarButton = new QPushButton(QStringLiteral("Color bar setting"), box);
        frame.colorbarButton->setObjectName(colorbarButton);
        frame.colorbarButton->setAutoDefault(false);
        kmz->addWidget(frame.colorbarButton);
        kmz->addStretch(1);
        layout->addLayout(kmz, row++, 1);
    }

    layout->addWidget(text_label(targetCaption, box), row, 0, Qt::AlignTop);
    // The variables keep their natural widths, packed to the left.
    frame.targets = new QGridLayout;
    frame.targets->setHorizontalSpacing(6);
    auto* packed = new QHBoxLayout;
    packed->addLayout(frame.targets);
    packed->addStretch(1);
    layout->addLayout(packed, row, 1);
    return frame;
}

void place_row(QGridLayout* targets, int line, int pair, int firstColumn, QCheckBox* check, QLineEdit* name)
{
    targets->addWidget(check, line, firstColumn + 2 * pair);
    targets->addWidget(name, line, firstColumn + 2 * pair + 1);
}

QLineEdit* name_box(const QString& objectName, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 12);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 22);
    return box;
}

} // namespace vardane
