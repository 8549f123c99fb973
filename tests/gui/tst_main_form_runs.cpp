// Runs started from the window: the log, the output list, cancel, close,
// and a UI thread that keeps working while the workers convert.
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTextBlock>
#include <QTimer>

#include "app/window/file_table.h"
#include "app/window/log_box.h"
#include "app/window/run_progress.h"
#include "gui_test_support.h"
#include "run_test_support.h"

namespace vardane {

using namespace gui_test;

namespace {

const QString kStart = QStringLiteral("-- Converting Start -------");
const QString kCompleted = QStringLiteral("Completed.");
const int kRunTimeoutMs = 120000;

// What the progress panel says once a run is over.
QString outcome(MainForm& form) { return control<RunProgress>(form, "runProgress")->counts_text(); }

// Answer the next "Cancel the running conversion?" question.
void answer_cancel_question(QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Cancel the running conversion?"));
        box->button(answer)->click();
    });
}

} // namespace

class MainFormRuns : public QObject {
    Q_OBJECT

private slots:
    void unrecognised_files_by_button_and_by_drop();
    void outputs_are_listed_red_and_replace_their_old_rows();
    void cancel_stops_the_current_file();
    void closing_during_a_run_cancels_and_cleans_up();
};

void MainFormRuns::unrecognised_files_by_button_and_by_drop()
{
    window_setup w;
    MainForm& form = w.form;
    write_file(w.in, "a", "not a product at all");
    const QString b = write_file(w.in, "b", "junk");
    choose_input(form, w.in); // only a is checked

    // An input row dropped on the output list runs that file, but not
    // without an output folder.
    QVERIFY(drop_onto(output_list(form), encode_dragged_row({b, "b", "", ""})));
    QVERIFY(log_lines(form).contains(QStringLiteral("Output folder is NOT exits.")));
    QVERIFY(!form.run_active());
    choose_output(form, w.out);

    press(form, "btnRun");
    QVERIFY(wait_for_idle(form));
    QStringList lines = log_lines(form);
    QCOMPARE(lines.first(), kStart);
    QVERIFY(lines.contains(QStringLiteral("Filename(a) is Not Product Data.")));
    QVERIFY(!lines.contains(QStringLiteral("Filename(b) is Not Product Data.")));
    QCOMPARE(lines.last(), kCompleted);
    QCOMPARE(lines.count(kCompleted), 1);
    QCOMPARE(output_list(form)->rowCount(), 0);
    QVERIFY(QDir(w.out).isEmpty());
    QVERIFY(run_mode_controls_enabled(form, true));
    QVERIFY(QDir(form.work_dir()).exists());
    QVERIFY(QDir(form.work_dir()).isEmpty(QDir::Files));
    QCOMPARE(outcome(form), QStringLiteral("Files 1\nOutputs written 0\nFailures 0\nNot products 1"));

    // The dropped row's run empties the log again.
    QVERIFY(drop_onto(output_list(form), encode_dragged_row({b, "b", "", ""})));
    QVERIFY(wait_for_idle(form));
    lines = log_lines(form);
    QCOMPARE(lines.first(), kStart);
    QCOMPARE(lines.count(kCompleted), 1);
    QVERIFY(lines.contains(QStringLiteral("Filename(b) is Not Product Data.")));
    QVERIFY(!lines.contains(QStringLiteral("Filename(a) is Not Product Data.")));

    // A damaged product fails: counted, and its line stands out.
    const QString cut = write_product(w.in, "cut.h5", "GSMAP_HOURLY");
    QVERIFY(QFile::resize(cut, QFileInfo(cut).size() / 2));
    QVERIFY(drop_onto(output_list(form), encode_dragged_row({cut, "cut.h5", "", ""})));
    QVERIFY(wait_for_idle(form));
    QCOMPARE(outcome(form), QStringLiteral("Files 1\nOutputs written 0\nFailures 1\nNot products 0"));
    auto* log = control<QPlainTextEdit>(form, "tbox_Infolog");
    const QTextBlock failed =
        log->document()->findBlock(static_cast<int>(log->toPlainText().indexOf(QStringLiteral("Filename(cut.h5)"))));
    QCOMPARE(failed.begin().fragment().charFormat().foreground().color(), LogBox::failure_colour());
    // The line's tool tip says why, in the library's words, and which file.
    const QString why = failed.begin().fragment().charFormat().toolTip();
    QVERIFY2(why.contains(QStringLiteral("GSMaP")) || why.contains(QStringLiteral("HDF5")), qPrintable(why));
    QVERIFY2(why.endsWith(cut), qPrintable(why));

    // After runs, a relative folder still means one in the start-up folder.
    QCOMPARE(QDir::currentPath(), w.s.path());
    type_into(output_box(form), QStringLiteral("in"), true);
    QCOMPARE(form.get_outputFolder(), w.in);
}

void MainFormRuns::outputs_are_listed_red_and_replace_their_old_rows()
{
    window_setup w;
    MainForm& form = w.form;
    write_product(w.in, "GSMaP_hourly.h5", "GSMAP_HOURLY");
    const QString kept = write_file(w.out, "kept.txt", "an older file");
    w.choose_folders();

    // The UI thread keeps working: ticks seen while the worker has started
    // on the file and not finished.
    int ticksDuringWork = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const QStringList lines = log_lines(form);
        if (lines.contains(QStringLiteral("'GSMaP_hourly.h5' is processing, now...  ")) && !lines.contains(kCompleted))
            ++ticksDuringWork;
    });
    timer.start(10);
    press(form, "btnRun");
    QVERIFY(form.run_active());
    QVERIFY(wait_for_idle(form));
    timer.stop();
    QVERIFY(ticksDuringWork > 0);

    QTableWidget* list = output_list(form);
    const QStringList firstRun = column_texts(list, 0).mid(1);
    QVERIFY(!firstRun.isEmpty());
    QCOMPARE(column_texts(list, 0).first(), kept);
    for (const QString& path : firstRun) {
        QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
        QCOMPARE(QFileInfo(path).path(), w.out);
        const auto row = static_cast<int>(column_texts(list, 0).indexOf(path));
        QCOMPARE(list->item(row, 1)->foreground().color(), QColor(Qt::red));
        QVERIFY(
            log_lines(form).contains(QStringLiteral("GeoTIFF file(%1) is created.").arg(QFileInfo(path).fileName())));
    }
    QCOMPARE(selected_rows(list), QList<int>{list->rowCount() - 1});

    // Run again: the rows of the same files are replaced, not added, and
    // the rows of earlier files are black again.
    press(form, "btnRun");
    QVERIFY(wait_for_idle(form));
    QCOMPARE(list->rowCount(), 1 + firstRun.size());
    QCOMPARE(column_texts(list, 0).mid(1), firstRun);
    QCOMPARE(list->item(0, 1)->foreground().color(), QColor(Qt::black));
    QCOMPARE(list->item(list->rowCount() - 1, 1)->foreground().color(), QColor(Qt::red));
}

void MainFormRuns::cancel_stops_the_current_file()
{
    window_setup w;
    MainForm& form = w.form;
    for (const char* name : {"a.h5", "b.h5", "c.h5"}) write_product(w.in, name, "GSMAP_HOURLY");
    w.choose_folders();
    click_row(input_list(form), 2, Qt::ShiftModifier);
    // Longer pauses leave no doubt that the cancel lands inside the first file.
    form.set_pace_ms(1000);

    press(form, "btnRun");
    const QString processingA = QStringLiteral("'a.h5' is processing, now...  ");
    QVERIFY(QTest::qWaitFor([&] { return log_lines(form).contains(processingA); }, kRunTimeoutMs));
    // Esc asks first, then cancels as the button does.
    answer_cancel_question(QMessageBox::Yes);
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(wait_for_idle(form));

    const QStringList lines = log_lines(form);
    QCOMPARE(lines.count(QStringLiteral("Cancel-action will be invoked.")), 1);
    QCOMPARE(lines.count(QStringLiteral("Cancel is activated.")), 1);
    QVERIFY(!lines.contains(QStringLiteral("'b.h5' is processing, now...  ")));
    QVERIFY(!lines.contains(QStringLiteral("'c.h5' is processing, now...  ")));
    // A cancelled run did not complete, and counts the one file it began;
    // what that file made before the cancel is gone.
    QVERIFY(!lines.contains(kCompleted));
    QVERIFY(outcome(form).startsWith(QStringLiteral("Files 1\nOutputs written 0\n")));
    QVERIFY(outcome(form).endsWith(QStringLiteral("Cancelled")));
    QVERIFY(QDir(w.out).isEmpty());

    // Cancel and Esc while idle do nothing.
    press(form, "btnCancel");
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(log_lines(form).count(QStringLiteral("Cancel-action will be invoked.")), 1);
}

void MainFormRuns::closing_during_a_run_cancels_and_cleans_up()
{
    scratch s;
    const QString in = s.sub("in");
    for (const char* name : {"a.h5", "b.h5"}) write_product(in, name, "GSMAP_HOURLY");
    auto* form = new MainForm;
    form->show();
    choose_input(*form, in);
    choose_output(*form, s.sub("out"));
    click_row(input_list(*form), 1, Qt::ShiftModifier);
    const QString workDir = form->work_dir();

    press(*form, "btnRun");
    QVERIFY(form->run_active());
    // Closing asks first; "No" leaves the run going.
    answer_cancel_question(QMessageBox::No);
    press(*form, "btnClose");
    QVERIFY(form->isVisible());
    QVERIFY(!form->cancel_requested());
    answer_cancel_question(QMessageBox::Yes);
    press(*form, "btnClose");
    QVERIFY(!form->isVisible());
    QVERIFY(form->cancel_requested());
    delete form; // waits for the workers' next cancel check
    // The working folder was the window's own, in the user's cache folder.
    QVERIFY(workDir.startsWith(QDir(s.path()).filePath(QStringLiteral("cache/vardane/work-"))));
    QVERIFY(!QDir(workDir).exists());
}

} // namespace vardane

QTEST_MAIN(vardane::MainFormRuns)
#include "tst_main_form_runs.moc"
