#pragma once

#include <QPoint>
#include <QStringList>
#include <QTableWidget>

namespace vardane {

// The list of input files. A hidden column holds each row's check flag; the
// checked rows are the selected rows and are the files a run converts.
//   plain click  - only the clicked row is checked (and a drag may start)
//   Ctrl-click   - the clicked row is toggled
//   Shift-click  - the rows from the first checked one to the clicked one
// The keyboard does the same: Up/Down move and check the row as a plain
// click (with Shift as a Shift-click), Space toggles the current row as a
// Ctrl-click, Ctrl+A checks every row.
// Files dropped from a file manager are added unchecked.
class InputList : public QTableWidget {
    Q_OBJECT
public:
    explicit InputList(QWidget* parent = nullptr);

    // Replace the rows by the given files; the first one is checked.
    void set_files(const QStringList& paths);
    // Append one file as a row.
    void add_file(const QString& path, bool checked);
    bool contains_path(const QString& path) const;

    QString full_path(int row) const;
    bool is_checked(int row) const;
    // Remove rows; indices in any order.
    void remove_rows(QList<int> rows);

    // Follow the disk: rows of vanished files go, files of the folder
    // without a row are added unchecked, dates and sizes are read again.
    void refresh(const QStringList& folderFiles);

    // Make the selection and the colours follow the check flags.
    void sync_selection();

    // How many rows are checked: the files the run button converts.
    int checked_count() const;

signals:
    // The checked rows may have changed (after sync_selection, or rows
    // removed).
    void ticksChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void set_checked(int row, bool checked);
    int first_checked_row() const;
    void click_row(int row, Qt::KeyboardModifiers modifiers);
    void start_row_drag(int row);

    int dragRow_ = -1;
    QPoint pressPos_;
};

} // namespace vardane
