#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class QTableWidget;

namespace vardane {

// Item data role holding the text colour of a cell while its row is
// selected. Views normally ignore a cell's own colours for selected rows;
// row_colour_delegate honours this role and the background role there too.
inline constexpr int SelectedForegroundRole = Qt::UserRole + 1;
inline constexpr int SelectedBackgroundRole = Qt::UserRole + 2;

class row_colour_delegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Colours of cells [first, last] of one row: normal text and background, and
// text and background while selected. An invalid colour leaves that part to
// the style.
struct cell_colours {
    QColor text;
    QColor background;
    QColor selectedText;
    QColor selectedBackground;
};
void paint_row(QTableWidget& table, int row, int first, int last, const cell_colours& colours);

} // namespace vardane
