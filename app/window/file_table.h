#pragma once

#include <functional>
#include <span>

#include <QStringList>

#include "app/window/list_columns.h"

class QMimeData;
class QTableWidget;

namespace vardane {

struct file_row;

// What the two file lists have in common: text columns from a column table,
// whole-row selection, no row headers, no sorting, no user-resized rows.
void setup_file_table(QTableWidget& table, std::span<const list_column> columns);

// Append one row of text cells; cells outside editableColumn are read-only.
// Returns the new row's index.
int append_text_row(QTableWidget& table, const QStringList& cells, int editableColumn = -1);

// Cell text, "" for a missing cell.
QString cell_text(const QTableWidget& table, int row, int column);

// The cells of one file row (full path, name, date, size), in list order.
QStringList row_cells(const file_row& row);

// Keeps the rows true to the disk: rows of files that are gone are removed,
// the date and size of the others are read again, and files of
// `folderFiles` without a row are handed to `add`.
void refresh_file_rows(QTableWidget& table, const QStringList& folderFiles,
                       const std::function<void(const QString& path)>& add);

// A row carried by drag and drop from the input list to the output list.
inline constexpr char kFileRowMime[] = "application/x-vardane-file-row";
QMimeData* encode_dragged_row(const QStringList& cells);
// The carried cells; empty when the data holds no row.
QStringList decode_dragged_row(const QMimeData* data);

} // namespace vardane
