#pragma once

#include <QStringList>
#include <QTableWidget>

namespace vardane {

// The list of files in the output folder. Names can be edited (F2, or a
// click on the selected name; the file is renamed); a double-click opens the
// file; files written by the current run are painted red; a row dragged
// here from the input list asks for a one-file run.
class OutputList : public QTableWidget {
    Q_OBJECT
public:
    explicit OutputList(QWidget* parent = nullptr);

    // Replace the rows by the given files; the first row is selected.
    void set_files(const QStringList& paths);
    // Add or refresh the row of one file: old rows of the same path go, the
    // new row is appended red, selected and scrolled to the top.
    void append_file(const QString& path);
    // Back to black text (white when selected), so only the next run's
    // files stand out.
    void reset_colours();

    // Follow the disk: rows of vanished files go, files of the output
    // folder without a row are added, dates and sizes are read again.
    void refresh(const QStringList& folderFiles);

    QString full_path(int row) const;
    int row_of(const QString& path) const;

signals:
    // A row of the input list was dropped here (its full path).
    void rowDropped(const QString& fullpath);
    // A line for the log box.
    void message(const QString& text);

protected:
    // "Open", "Open containing folder", "Copy path" for the row under the
    // pointer; double-click opens the file with the desktop's application.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class name_edit_delegate;
    // The user finished editing the name cell of the row of a file.
    void name_edited(const QString& path, const QString& newName);
    int add_row(const QString& path);
};

} // namespace vardane
