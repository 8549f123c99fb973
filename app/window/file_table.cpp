#include "app/window/file_table.h"

#include <QDataStream>
#include <QFileInfo>
#include <QHeaderView>
#include <QIODevice>
#include <QMimeData>
#include <QTableWidget>

#include "app/window/file_row.h"
#include "app/window/row_colours.h"

namespace vardane {

// Both lists keep path, date and size in the same columns.
static_assert(int(input_col::FullPath) == int(output_col::FullPath)
              && int(input_col::FileDate) == int(output_col::FileDate)
              && int(input_col::FileSize) == int(output_col::FileSize));

void setup_file_table(QTableWidget& table, std::span<const list_column> columns)
{
    table.setColumnCount(static_cast<int>(columns.size()));
    QStringList headers;
    for (const list_column& c : columns) headers << QString::fromLatin1(c.header);
    table.setHorizontalHeaderLabels(headers);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        table.horizontalHeaderItem(i)->setData(Qt::UserRole, QString::fromLatin1(columns[i].name));
        table.setColumnHidden(i, columns[i].hidden);
    }
    table.setSortingEnabled(false);
    table.horizontalHeader()->setSortIndicatorShown(false);
    table.horizontalHeader()->setSectionsClickable(false);
    table.verticalHeader()->setVisible(false);
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // One line of text per row, as in a file manager's detail view.
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 8);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab leaves the list in one press instead of walking its cells.
    table.setTabKeyNavigation(false);
    table.setWordWrap(false);
    table.setItemDelegate(new row_colour_delegate(&table));

    // Name takes the room, date and size fit their text.
    QHeaderView* header = table.horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        if (columns[i].hidden) continue;
        header->setSectionResizeMode(i, i == 1 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    }
}

int append_text_row(QTableWidget& table, const QStringList& cells, int editableColumn)
{
    const int row = table.rowCount();
    table.insertRow(row);
    for (int col = 0; col < cells.size() && col < table.columnCount(); ++col) {
        auto* item = new QTableWidgetItem(cells[col]);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
        if (col == editableColumn) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        table.setItem(row, col, item);
    }
    return row;
}

QString cell_text(const QTableWidget& table, int row, int column)
{
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

QStringList row_cells(const file_row& row) { return {row.fullpath, row.name, row.date, row.size}; }

QMimeData* encode_dragged_row(const QStringList& cells)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << cells;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kFileRowMime), bytes);
    return data;
}

QStringList decode_dragged_row(const QMimeData* data)
{
    if (!data || !data->hasFormat(QString::fromLatin1(kFileRowMime))) return {};
    const QByteArray bytes = data->data(QString::fromLatin1(kFileRowMime));
    QDataStream in(bytes);
    QStringList cells;
    in >> cells;
    if (in.status() != QDataStream::Ok) return {};
    return cells;
}

void refresh_file_rows(QTableWidget& table, const QStringList& folderFiles,
                       const std::function<void(const QString& path)>& add)
{
    QStringList listed;
    for (int row = table.rowCount() - 1; row >= 0; --row) {
        const QString path = cell_text(table, row, input_col::FullPath);
        if (!QFileInfo(path).isFile()) {
            table.removeRow(row);
            continue;
        }
        listed << path;
        const file_row now = make_file_row(path);
        if (QTableWidgetItem* date = table.item(row, input_col::FileDate)) date->setText(now.date);
        if (QTableWidgetItem* size = table.item(row, input_col::FileSize)) size->setText(now.size);
    }
    for (const QString& path : folderFiles) {
        if (!listed.contains(path)) add(path);
    }
}

} // namespace vardane
