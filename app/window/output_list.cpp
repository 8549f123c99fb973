#include "app/window/output_list.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include "app/window/desktop_open.h"
#include "app/window/file_row.h"
#include "app/window/file_table.h"
#include "app/window/list_columns.h"
#include "app/window/output_rename.h"
#include "app/window/row_colours.h"

namespace vardane {

// Hands a finished name edit to the list, which renames the file and
// decides what the cell shows.
class name_edit_delegate : public row_colour_delegate {
public:
    explicit name_edit_delegate(OutputList* list) : row_colour_delegate(list), list_(list) {}

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        const QString newName = line ? line->text() : QString();
        const QString path = list_->full_path(index.row());
        // The rename may remove the row; do it once the editor is closed.
        QMetaObject::invokeMethod(
            list_, [list = list_, path, newName] { list->name_edited(path, newName); }, Qt::QueuedConnection);
    }

private:
    OutputList* list_;
};

namespace {

const cell_colours kIdleColours{Qt::black, QColor(), Qt::white, QColor()};
const cell_colours kNewColours{Qt::red, QColor(), Qt::red, QColor()};

bool carries_row(const QDropEvent* event)
{
    return !decode_dragged_row(event->mimeData()).isEmpty() && (event->possibleActions() & Qt::CopyAction);
}

} // namespace

OutputList::OutputList(QWidget* parent) : QTableWidget(parent)
{
    setup_file_table(*this, kOutputColumns);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A double-click opens the file, as in a file manager.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { open_with_desktop(this, full_path(row), tr("the file")); });
    setAccessibleName(QStringLiteral("Output files"));
    setItemDelegateForColumn(output_col::FileName, new name_edit_delegate(this));
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
}

int OutputList::add_row(const QString& path)
{
    return append_text_row(*this, row_cells(make_file_row(path)), output_col::FileName);
}

void OutputList::set_files(const QStringList& paths)
{
    setRowCount(0);
    for (const QString& path : paths) add_row(path);
    if (rowCount() > 0) selectRow(0);
}

void OutputList::append_file(const QString& path)
{
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (full_path(row) == path) removeRow(row);
    }
    if (!QFileInfo::exists(path)) return;
    clearSelection();
    const int row = add_row(path);
    paint_row(*this, row, output_col::FileName, output_col::FileSize, kNewColours);
    selectRow(row);
    scrollToItem(item(row, output_col::FileName), QAbstractItemView::PositionAtTop);
}

void OutputList::reset_colours()
{
    for (int row = 0; row < rowCount(); ++row)
        paint_row(*this, row, output_col::FileName, output_col::FileSize, kIdleColours);
}

void OutputList::refresh(const QStringList& folderFiles)
{
    refresh_file_rows(*this, folderFiles, [this](const QString& path) { add_row(path); });
}

void OutputList::contextMenuEvent(QContextMenuEvent* event)
{
    const int row = rowAt(event->pos().y());
    if (row < 0) return;
    const QString path = full_path(row);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("outputMenu"));
    menu.addAction(tr("Open"), this, [this, path] { open_with_desktop(this, path, tr("the file")); });
    menu.addAction(tr("Open containing folder"), this,
                   [this, path] { open_with_desktop(this, QFileInfo(path).absolutePath(), tr("the folder")); });
    menu.addAction(tr("Copy path"), this, [path] { QGuiApplication::clipboard()->setText(path); });
    menu.exec(event->globalPos());
}

QString OutputList::full_path(int row) const { return cell_text(*this, row, output_col::FullPath); }

int OutputList::row_of(const QString& path) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (full_path(row) == path) return row;
    }
    return -1;
}

void OutputList::name_edited(const QString& path, const QString& newName)
{
    const int row = row_of(path);
    if (row < 0) return;
    QTableWidgetItem* nameCell = item(row, output_col::FileName);
    QTableWidgetItem* pathCell = item(row, output_col::FullPath);
    if (!nameCell || !pathCell) return;

    const rename_result r = rename_output_file(pathCell->text(), newName);
    using outcome = rename_result::outcome;
    switch (r.result) {
    case outcome::unchanged: break;
    case outcome::keep_old_name:
    case outcome::name_taken: nameCell->setText(r.oldName); break;
    case outcome::file_gone: removeRow(row); break;
    case outcome::renamed:
        nameCell->setText(r.newName);
        pathCell->setText(r.newPath);
        break;
    }
    const QString line = r.message();
    if (!line.isEmpty()) emit message(line);
}

void OutputList::dragEnterEvent(QDragEnterEvent* event)
{
    if (carries_row(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void OutputList::dragMoveEvent(QDragMoveEvent* event)
{
    if (carries_row(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void OutputList::dropEvent(QDropEvent* event)
{
    const QStringList cells = decode_dragged_row(event->mimeData());
    if (cells.isEmpty() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit rowDropped(cells.value(output_col::FullPath));
}

} // namespace vardane
