#include "app/window/row_colours.h"

#include <QTableWidget>

namespace vardane {

void row_colour_delegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant selText = index.data(SelectedForegroundRole);
    if (selText.canConvert<QColor>()) {
        const QColor c = selText.value<QColor>();
        option->palette.setColor(QPalette::Active, QPalette::HighlightedText, c);
        option->palette.setColor(QPalette::Inactive, QPalette::HighlightedText, c);
    }
    const QVariant selBack = index.data(SelectedBackgroundRole);
    if (selBack.canConvert<QColor>()) {
        const QColor c = selBack.value<QColor>();
        option->palette.setColor(QPalette::Active, QPalette::Highlight, c);
        option->palette.setColor(QPalette::Inactive, QPalette::Highlight, c);
    }
}

namespace {

void set_or_clear(QTableWidgetItem& item, int role, const QColor& colour)
{
    if (colour.isValid())
        item.setData(role, colour);
    else
        item.setData(role, QVariant());
}

} // namespace

void paint_row(QTableWidget& table, int row, int first, int last, const cell_colours& colours)
{
    for (int col = first; col <= last; ++col) {
        QTableWidgetItem* item = table.item(row, col);
        if (!item) continue;
        set_or_clear(*item, Qt::ForegroundRole, colours.text);
        set_or_clear(*item, Qt::BackgroundRole, colours.background);
        set_or_clear(*item, SelectedForegroundRole, colours.selectedText);
        set_or_clear(*item, SelectedBackgroundRole, colours.selectedBackground);
    }
}

} // namespace vardane
