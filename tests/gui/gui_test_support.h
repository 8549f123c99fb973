#pragma once

// Helpers shared by the window tests: scratch folders, files, and driving
// the window's controls by their names as a user would.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "app/window/main_form.h"

namespace vardane {

namespace gui_test {

// Write a file of the given size (or content) and return its full path.
inline QString write_file(const QString& folder, const QString& name, const QByteArray& content)
{
    const QString path = QDir(folder).filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    f.write(content);
    return path;
}

inline QString make_folder(const QString& parent, const QString& name)
{
    QDir(parent).mkpath(name);
    return QDir(parent).filePath(name);
}

template <typename W>
W* control(MainForm& form, const char* name)
{
    W* w = form.findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

inline QTableWidget* input_list(MainForm& form) { return control<QTableWidget>(form, "dg_InputList"); }
inline QTableWidget* output_list(MainForm& form) { return control<QTableWidget>(form, "dg_OutputList"); }
inline QLineEdit* input_box(MainForm& form) { return control<QLineEdit>(form, "tboxInput"); }
inline QLineEdit* output_box(MainForm& form) { return control<QLineEdit>(form, "tboxOutput"); }

inline QStringList log_lines(MainForm& form)
{
    return control<QPlainTextEdit>(form, "tbox_Infolog")->toPlainText().split(u'\n');
}

// Click into a folder box, type a text, and either press Enter or not.
inline void type_into(QLineEdit* box, const QString& text, bool pressEnter)
{
    box->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    if (pressEnter) QTest::keyClick(box, Qt::Key_Return);
}

// Move the focus away from whatever holds it (the user clicks elsewhere).
inline void leave_box(MainForm& form)
{
    control<QPushButton>(form, "btnHelp")->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

// Choose a folder with a folder box as a user would: type it, press Enter.
inline void choose_input(MainForm& form, const QString& folder)
{
    type_into(input_box(form), folder, true);
    leave_box(form);
}
inline void choose_output(MainForm& form, const QString& folder)
{
    type_into(output_box(form), folder, true);
    leave_box(form);
}

// Click a row of a list (on its name cell) with the given modifiers.
inline void click_row(QTableWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
}

inline QList<int> selected_rows(QTableWidget* list)
{
    QList<int> rows;
    for (const QModelIndex& i : list->selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Rows whose hidden check column says "True".
inline QList<int> checked_rows(QTableWidget* list)
{
    QList<int> rows;
    for (int r = 0; r < list->rowCount(); ++r) {
        if (list->item(r, 4) && list->item(r, 4)->text() == QLatin1String("True")) rows << r;
    }
    return rows;
}

inline QStringList column_texts(QTableWidget* list, int column)
{
    QStringList texts;
    for (int r = 0; r < list->rowCount(); ++r)
        texts << (list->item(r, column) ? list->item(r, column)->text() : QString());
    return texts;
}

// Drop data onto a list as a drag from elsewhere would: enter, move, drop.
// Returns whether the drop was accepted.
inline bool drop_onto(QTableWidget* list, QMimeData* data)
{
    QWidget* target = list->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

inline QMimeData* file_urls(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

// A scratch area whose folder is also the window's start-up folder.
class scratch {
public:
    scratch()
    {
        if (!dir_.isValid()) qFatal("no temporary folder");
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        // The window's working folders go to the scratch area's cache, what
        // it remembers to the scratch area's config folder.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("cache"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("config"))));
    }
    ~scratch() { QDir::setCurrent(previous_); }
    QString path() const { return dir_.path(); }
    QString sub(const QString& name) const { return make_folder(dir_.path(), name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// A shown window in its own scratch area, with empty folders "in" and "out"
// (chosen by neither box yet).
struct window_setup {
    scratch s;
    QString in = s.sub(QStringLiteral("in"));
    QString out = s.sub(QStringLiteral("out"));
    MainForm form;
    window_setup() { form.show(); }
    void choose_folders()
    {
        choose_input(form, in);
        choose_output(form, out);
    }
};

// The controls a run disables and enables again.
inline const char* const kRunModeControls[] = {"cbox_GeoTiff", "cbox_KMZ",   "cbox_Both",     "cbox_NetCDF",
                                               "btnOption",    "btnInput",   "tboxInput",     "dg_InputList",
                                               "btnOutput",    "tboxOutput", "dg_OutputList", "btnRun"};

inline bool run_mode_controls_enabled(MainForm& form, bool enabled)
{
    for (const char* n : kRunModeControls) {
        if (form.findChild<QWidget*>(QString::fromLatin1(n))->isEnabled() != enabled) return false;
    }
    return true;
}

} // namespace gui_test

} // namespace vardane
