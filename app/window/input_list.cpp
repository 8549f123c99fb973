#include "app/window/input_list.h"

#include <algorithm>

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "app/window/file_row.h"
#include "app/window/file_table.h"
#include "app/window/list_columns.h"
#include "app/window/row_colours.h"

namespace vardane {

namespace {

// Local paths of a drag from outside, or nothing when any item is not an
// existing file (then the whole drop is refused).
QStringList dropped_files(const QMimeData* data)
{
    if (!data || !data->hasUrls()) return {};
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.isEmpty() || !QFileInfo(path).isFile()) return {};
        paths << QFileInfo(path).absoluteFilePath();
    }
    return paths;
}

} // namespace

InputList::InputList(QWidget* parent) : QTableWidget(parent)
{
    setup_file_table(*this, kInputColumns);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAccessibleName(QStringLiteral("Input files"));
    // The selection is driven by the check flags, never by the view itself.
    setSelectionMode(QAbstractItemView::NoSelection);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    // Checked rows keep their highlight when the focus is elsewhere.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
    // Rows also go without a sync (a new folder empties the list first).
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &InputList::ticksChanged);
}

void InputList::set_files(const QStringList& paths)
{
    setRowCount(0);
    for (const QString& path : paths) add_file(path, false);
    if (rowCount() > 0) set_checked(0, true);
    sync_selection();
}

void InputList::add_file(const QString& path, bool checked)
{
    QStringList cells = row_cells(make_file_row(path));
    cells << QString::fromLatin1(checked ? kFlagTrue : kFlagFalse);
    append_text_row(*this, cells);
}

void InputList::refresh(const QStringList& folderFiles)
{
    refresh_file_rows(*this, folderFiles, [this](const QString& path) { add_file(path, false); });
    sync_selection();
}

bool InputList::contains_path(const QString& path) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (full_path(row) == path) return true;
    }
    return false;
}

QString InputList::full_path(int row) const { return cell_text(*this, row, input_col::FullPath); }

bool InputList::is_checked(int row) const
{
    return cell_text(*this, row, input_col::SelFlag) == QLatin1String(kFlagTrue);
}

void InputList::set_checked(int row, bool checked)
{
    if (QTableWidgetItem* flag = item(row, input_col::SelFlag))
        flag->setText(QString::fromLatin1(checked ? kFlagTrue : kFlagFalse));
}

void InputList::remove_rows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows) removeRow(row);
    sync_selection();
}

int InputList::first_checked_row() const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (is_checked(row)) return row;
    }
    return 0;
}

void InputList::sync_selection()
{
    const QPalette pal = palette();
    const cell_colours marked{pal.color(QPalette::HighlightedText), pal.color(QPalette::Highlight),
                              pal.color(QPalette::HighlightedText), pal.color(QPalette::Highlight)};
    const cell_colours plain{pal.color(QPalette::Text), pal.color(QPalette::Base), pal.color(QPalette::Text),
                             pal.color(QPalette::Base)};
    QItemSelection selection;
    for (int row = 0; row < rowCount(); ++row) {
        const bool checked = is_checked(row);
        if (checked) selection.select(model()->index(row, 0), model()->index(row, columnCount() - 1));
        paint_row(*this, row, input_col::FileName, input_col::FileSize, checked ? marked : plain);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    emit ticksChanged();
}

int InputList::checked_count() const
{
    int count = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (is_checked(row)) ++count;
    }
    return count;
}

void InputList::click_row(int row, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    bool newState = true;
    if (ctrl) {
        newState = !is_checked(row);
    } else if (shift) {
        const int anchor = first_checked_row();
        const int low = std::min(anchor, row);
        const int high = std::max(anchor, row);
        for (int r = 0; r < rowCount(); ++r) set_checked(r, r >= low && r <= high);
    } else {
        for (int r = 0; r < rowCount(); ++r) set_checked(r, false);
    }
    set_checked(row, newState);
    sync_selection();
}

void InputList::keyPressEvent(QKeyEvent* event)
{
    if (rowCount() == 0) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    const int current = currentRow() < 0 ? first_checked_row() : currentRow();
    const auto go_to = [this](int row, Qt::KeyboardModifiers modifiers) {
        selectionModel()->setCurrentIndex(model()->index(row, input_col::FileName), QItemSelectionModel::NoUpdate);
        click_row(row, modifiers);
    };
    if (event->matches(QKeySequence::SelectAll)) {
        for (int row = 0; row < rowCount(); ++row) set_checked(row, true);
        sync_selection();
    } else if (event->key() == Qt::Key_Space) {
        go_to(current, Qt::ControlModifier);
    } else if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) {
        const int step = event->key() == Qt::Key_Down ? 1 : -1;
        const int row = std::clamp(currentRow() < 0 ? current : current + step, 0, rowCount() - 1);
        go_to(row, event->modifiers() & Qt::ShiftModifier);
    } else {
        QTableWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void InputList::mousePressEvent(QMouseEvent* event)
{
    dragRow_ = -1;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || !item(index.row(), input_col::SelFlag)) {
        QTableWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    click_row(index.row(), event->modifiers());
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
        // A plain press may become a drag onto the output list once the
        // mouse moves far enough.
        dragRow_ = index.row();
        pressPos_ = event->position().toPoint();
    }
    event->accept();
}

void InputList::mouseMoveEvent(QMouseEvent* event)
{
    if (dragRow_ >= 0 && (event->buttons() & Qt::LeftButton)
        && (event->position().toPoint() - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        const int row = dragRow_;
        dragRow_ = -1;
        start_row_drag(row);
        return;
    }
    QTableWidget::mouseMoveEvent(event);
}

void InputList::mouseReleaseEvent(QMouseEvent* event)
{
    dragRow_ = -1;
    QTableWidget::mouseReleaseEvent(event);
}

void InputList::start_row_drag(int row)
{
    if (row < 0 || row >= rowCount()) return;
    QStringList cells;
    for (int col = input_col::FullPath; col <= input_col::FileSize; ++col) cells << cell_text(*this, row, col);
    auto* drag = new QDrag(this);
    drag->setMimeData(encode_dragged_row(cells));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void InputList::dragEnterEvent(QDragEnterEvent* event)
{
    setFocus(Qt::OtherFocusReason);
    if (!dropped_files(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void InputList::dragMoveEvent(QDragMoveEvent* event)
{
    if (!dropped_files(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void InputList::dropEvent(QDropEvent* event)
{
    const QStringList paths = dropped_files(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    const bool wasEmpty = rowCount() == 0;
    for (const QString& path : paths) {
        if (contains_path(path)) continue;
        add_file(path, false);
    }
    if (wasEmpty && rowCount() > 0) set_checked(0, true);
    sync_selection();
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace vardane
