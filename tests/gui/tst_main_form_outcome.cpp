// What the window shows of a run's outcome and of the next run: the
// failures list, the warning state of the progress bar, saving the log, the
// count of checked files, and files the desktop cannot open.
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QTextBlock>
#include <QTimer>

#include "app/window/desktop_open.h"
#include "app/window/failures_list.h"
#include "app/window/log_box.h"
#include "app/window/run_progress.h"
#include "driver/run_tally.h"
#include "run_test_support.h"

namespace vardane {

using namespace gui_test;

namespace {

FailuresList* failures(MainForm& form) { return control<FailuresList>(form, "failuresList"); }
RunProgress* progress(MainForm& form) { return control<RunProgress>(form, "runProgress"); }
QString ticked(MainForm& form) { return control<QLabel>(form, "lbl_Ticked")->text(); }

struct failure_row {
    QString file, fileTip, what, cause;
};

failure_row row_of(FailuresList* list, int row)
{
    const QTreeWidgetItem* item = list->topLevelItem(row);
    return {item->text(0), item->toolTip(0), item->text(1), item->text(2)};
}

run_event failure_event(const char* input, const char* file, const char* cause)
{
    return run_event{run_event_type::failure, "GeoTIFF", input, failure(file, cause)};
}

// Answers the next message box and returns its text through `text`.
void take_message_box(QString& text, QString& name)
{
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        name = box->objectName();
        box->accept();
    });
}

// PATH without any program for the time of a test, as on a system without
// xdg-utils or a browser (the offscreen platform has no opener at all; on a
// desktop platform this is what takes it away).
class bare_path {
public:
    bare_path() : path_(qgetenv("PATH")), browser_(qgetenv("BROWSER"))
    {
        qputenv("PATH", QFile::encodeName(empty_.path()));
        qunsetenv("BROWSER");
    }
    ~bare_path()
    {
        qputenv("PATH", path_);
        if (!browser_.isEmpty()) qputenv("BROWSER", browser_);
    }

private:
    QTemporaryDir empty_;
    QByteArray path_, browser_;
};

} // namespace

class MainFormOutcome : public QObject {
    Q_OBJECT

private slots:
    void failures_of_a_run_are_listed_and_cleared_at_the_next();
    void failure_rows_name_file_line_and_cause();
    void bar_warns_unless_everything_was_made();
    void save_log_writes_its_lines();
    void ticked_count_follows_keys_clicks_and_folders();
    void files_the_desktop_cannot_open_are_named();
};

void MainFormOutcome::failures_of_a_run_are_listed_and_cleared_at_the_next()
{
    window_setup w;
    MainForm& form = w.form;
    form.set_pace_ms(0);
    write_product(w.in, "a_good.h5", "GSMAP_HOURLY");
    const QString cut = write_damaged_product(w.in, "b_cut.h5");
    write_file(w.in, "c_notes.txt", "not a product");
    w.choose_folders();
    QVERIFY(!failures(form)->isVisibleTo(&form));

    QTest::keyClick(input_list(form), Qt::Key_A, Qt::ControlModifier);
    press(form, "btnRun");
    QVERIFY(wait_for_idle(form));

    // One row: the damaged file, the red log line it went with, the cause.
    FailuresList* list = failures(form);
    QVERIFY(list->isVisibleTo(&form));
    QCOMPARE(list->failure_count(), 1);
    const failure_row row = row_of(list, 0);
    QCOMPARE(row.file, QStringLiteral("b_cut.h5"));
    QCOMPARE(row.fileTip, cut);
    auto* log = control<LogBox>(form, "tbox_Infolog");
    const QStringList lines = log_lines(form);
    const auto lineNumber = static_cast<int>(lines.indexOf(row.what));
    QVERIFY2(lineNumber > 0, qPrintable(row.what));
    QVERIFY2(row.what.contains(QStringLiteral("b_cut.h5")), qPrintable(row.what));
    const QTextCharFormat lineFormat = log->document()->findBlockByNumber(lineNumber).begin().fragment().charFormat();
    QCOMPARE(lineFormat.foreground().color(), LogBox::failure_colour());
    QVERIFY(!row.cause.isEmpty());
    QVERIFY2(lineFormat.toolTip().startsWith(row.cause), qPrintable(lineFormat.toolTip()));
    QCOMPARE(progress(form)->bar_text(), QStringLiteral("Finished with 1 failure"));
    QVERIFY(progress(form)->warning_shown());

    // Enter on the row shows its line in the log.
    list->setFocus(Qt::TabFocusReason);
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list->viewport(), Qt::Key_Return);
    QVERIFY(log->hasFocus());
    QCOMPARE(log->textCursor().block().blockNumber(), lineNumber);
    QCOMPARE(log->textCursor().selectedText(), row.what);

    // The next run starts with an empty list; with no failure it stays
    // hidden and the bar finishes normally.
    click_row(input_list(form), 0);
    press(form, "btnRun");
    QCOMPARE(list->failure_count(), 0);
    QVERIFY(!list->isVisibleTo(&form));
    QVERIFY(wait_for_idle(form));
    QCOMPARE(list->failure_count(), 0);
    QVERIFY(!list->isVisibleTo(&form));
    QCOMPARE(progress(form)->bar_text(), QStringLiteral("Finished"));
    QVERIFY(!progress(form)->warning_shown());
}

void MainFormOutcome::failure_rows_name_file_line_and_cause()
{
    window_setup w;
    MainForm& form = w.form;
    form.printNewLog(QStringLiteral("-- Converting Start -------"));
    form.printLog(QStringLiteral("Fail in GeoTIFF(a_rain.tif)"));
    form.count_event(failure_event("/data/in/a.h5", "/data/out/a_rain.tif", "No space left on device"));
    form.printLog(QStringLiteral("'b.h5' is processing, now...  "));
    form.printLog(QStringLiteral("Filename(b.h5) is Not Product Data."));
    // A failure that names no file of its own concerns its input.
    form.count_event(failure_event("/data/in/b.h5", "", "HDF5 file cannot be opened"));

    FailuresList* list = failures(form);
    QCOMPARE(list->failure_count(), 2);
    const failure_row first = row_of(list, 0);
    QCOMPARE(first.file, QStringLiteral("a_rain.tif"));
    QCOMPARE(first.fileTip, QStringLiteral("/data/out/a_rain.tif"));
    QCOMPARE(first.what, QStringLiteral("Fail in GeoTIFF(a_rain.tif)"));
    QCOMPARE(first.cause, QStringLiteral("No space left on device"));
    const failure_row second = row_of(list, 1);
    QCOMPARE(second.file, QStringLiteral("b.h5"));
    QCOMPARE(second.fileTip, QStringLiteral("/data/in/b.h5"));
    QCOMPARE(second.what, QStringLiteral("Filename(b.h5) is Not Product Data."));
    QCOMPARE(second.cause, QStringLiteral("HDF5 file cannot be opened"));

    // A double-click finds the first one's line.
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect cell = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(control<LogBox>(form, "tbox_Infolog")->textCursor().block().blockNumber(), 1);

    form.clear_failures();
    QCOMPARE(list->failure_count(), 0);
    QVERIFY(!list->isVisibleTo(&form));
}

void MainFormOutcome::bar_warns_unless_everything_was_made()
{
    RunProgress panel;
    auto* bar = panel.findChild<QProgressBar*>();
    QVERIFY(bar);
    const QColor normal = bar->palette().color(QPalette::Highlight);

    const auto show = [&](run_tally tally) {
        panel.show_summary(tally);
        return panel.bar_text();
    };
    run_tally whole;
    whole.files = 2;
    whole.products = 2;
    whole.outputs = 5;
    QCOMPARE(show(whole), QStringLiteral("Finished"));
    QVERIFY(!panel.warning_shown());
    QCOMPARE(bar->palette().color(QPalette::Highlight), normal);
    QCOMPARE(bar->value(), bar->maximum());

    run_tally failed = whole;
    failed.failures = 3;
    QCOMPARE(show(failed), QStringLiteral("Finished with 3 failures"));
    QVERIFY(panel.warning_shown());
    QVERIFY(bar->palette().color(QPalette::Highlight) != normal);
    failed.failures = 1;
    QCOMPARE(show(failed), QStringLiteral("Finished with 1 failure"));

    run_tally nothing = whole;
    nothing.outputs = 0;
    nothing.products = 0;
    nothing.notProducts = 2;
    QCOMPARE(show(nothing), QStringLiteral("Nothing written"));
    QVERIFY(panel.warning_shown());

    // A cancelled run leaves the bar where it stopped.
    panel.show_progress(1, 4, QStringLiteral("/in/b.h5"));
    QVERIFY(!panel.warning_shown());
    run_tally cancelled = whole;
    cancelled.cancelled = true;
    QCOMPARE(show(cancelled), QStringLiteral("Cancelled"));
    QVERIFY(panel.warning_shown());
    QCOMPARE(bar->value(), 1);
    QCOMPARE(bar->maximum(), 4);

    run_tally cut = whole;
    cut.completed = false;
    QCOMPARE(show(cut), QStringLiteral("Ended early"));
    QVERIFY(panel.warning_shown());

    panel.reset();
    QVERIFY(!panel.warning_shown());
    QCOMPARE(bar->palette().color(QPalette::Highlight), normal);
}

void MainFormOutcome::save_log_writes_its_lines()
{
    window_setup w;
    MainForm& form = w.form;
    choose_output(form, w.out);
    form.printNewLog(QStringLiteral("-- Converting Start -------"));
    form.printLog(QStringLiteral("Température de brillance 25 °C"));
    form.printLog(QStringLiteral("Completed."));
    const QStringList lines = log_lines(form);
    QCOMPARE(lines.size(), 3);

    // Through the button and its dialog, as a user would.
    const QString saved = QDir(w.out).filePath(QStringLiteral("run.log"));
    bool nonNative = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(dialog->directory().absolutePath(), w.out);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(saved);
        QTest::keyClick(name, Qt::Key_Return);
    });
    press(form, "btnSaveLog");
    QVERIFY(nonNative);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QCOMPARE(content, lines.join(u'\n').toUtf8() + '\n');
    QVERIFY(form.status_text().contains(saved));

    // The File menu's entry (Ctrl+S) asks the same; cancelling writes nothing.
    QAction* menuEntry = nullptr;
    for (QAction* a : control<QMenuBar>(form, "menuBar")->findChildren<QAction*>()) {
        if (a->shortcut() == QKeySequence(QKeySequence::Save)) menuEntry = a;
    }
    QVERIFY(menuEntry);
    QVERIFY(QFile::remove(saved));
    bool asked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        asked = true;
        dialog->reject();
    });
    menuEntry->trigger();
    QVERIFY(asked);
    QVERIFY(!QFileInfo::exists(saved));

    // A folder that does not exist: a message says where and why.
    const QString nowhere = QDir(w.s.path()).filePath(QStringLiteral("gone/run.log"));
    QString text, name;
    take_message_box(text, name);
    QVERIFY(!form.save_log_to(nowhere));
    QCOMPARE(name, QStringLiteral("saveLogFailedBox"));
    QVERIFY2(text.contains(nowhere), qPrintable(text));
    QVERIFY(!QFileInfo::exists(nowhere));
}

void MainFormOutcome::ticked_count_follows_keys_clicks_and_folders()
{
    window_setup w;
    MainForm& form = w.form;
    QCOMPARE(ticked(form), QStringLiteral("No input files"));
    for (const char* name : {"a.h5", "b.h5", "c.h5", "d.h5"}) write_file(w.in, name, "x");
    choose_input(form, w.in);
    QCOMPARE(ticked(form), QStringLiteral("1 file ticked"));

    QTableWidget* list = input_list(form);
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(ticked(form), QStringLiteral("4 files ticked"));
    click_row(list, 2);
    QCOMPARE(ticked(form), QStringLiteral("1 file ticked"));
    click_row(list, 3, Qt::ControlModifier);
    QCOMPARE(ticked(form), QStringLiteral("2 files ticked"));
    QTest::keyClick(list, Qt::Key_Space); // row 3 again
    QCOMPARE(ticked(form), QStringLiteral("1 file ticked"));
    click_row(list, 0);
    QCOMPARE(ticked(form), QStringLiteral("1 file ticked"));
    QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(checked_rows(list), (QList<int>{0, 1, 2}));
    QCOMPARE(ticked(form), QStringLiteral("3 files ticked"));
    QTest::keyClick(list, Qt::Key_Space); // row 2 off
    QCOMPARE(ticked(form), QStringLiteral("2 files ticked"));
    click_row(list, 0, Qt::ControlModifier);
    click_row(list, 1, Qt::ControlModifier);
    QCOMPARE(ticked(form), QStringLiteral("No file ticked"));

    // A folder without files, then files dropped from outside: the first
    // row of the empty list is checked.
    const QString empty = w.s.sub(QStringLiteral("empty"));
    choose_input(form, empty);
    QCOMPARE(ticked(form), QStringLiteral("No input files"));
    QVERIFY(drop_onto(list, file_urls({QDir(w.in).filePath("a.h5"), QDir(w.in).filePath("b.h5")})));
    QCOMPARE(ticked(form), QStringLiteral("1 file ticked"));
    // The run button says the same to a screen reader.
    QCOMPARE(control<QPushButton>(form, "btnRun")->accessibleDescription(), QStringLiteral("1 file ticked"));
}

void MainFormOutcome::files_the_desktop_cannot_open_are_named()
{
    window_setup w;
    const QString tif = write_file(w.out, "a.tif", "x");
    choose_output(w.form, w.out);
    bare_path noOpener;

    // A double-click on an output row.
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    QTableWidget* outputs = output_list(w.form);
    const QRect cell = outputs->visualRect(outputs->model()->index(0, 2));
    QString text, name;
    QTest::mouseClick(outputs->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    take_message_box(text, name);
    QTest::mouseDClick(outputs->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(name, QStringLiteral("cannotOpenBox"));
    QVERIFY2(text.contains(tif), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("xdg-utils")), qPrintable(text));

    // The manual, as the Help button opens it.
    const QString manual = write_file(w.s.path(), "manual.html", "<html></html>");
    text.clear();
    take_message_box(text, name);
    QVERIFY(!open_with_desktop(&w.form, manual, QStringLiteral("the manual")));
    QCOMPARE(text, cannot_open_text(manual, QStringLiteral("the manual")));
    QVERIFY(text.contains(QStringLiteral("could not open the manual")));
}

} // namespace vardane

QTEST_MAIN(vardane::MainFormOutcome)
#include "tst_main_form_outcome.moc"
