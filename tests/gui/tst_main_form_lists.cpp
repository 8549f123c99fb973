// The main window without runs: initial state, folders, the two lists,
// renaming, messages of the buttons.
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "app/window/file_table.h"
#include "app/window/options/option_form.h"
#include "driver/working_folder.h"
#include "settings/spconverter.h"
#include "gui_test_support.h"

namespace vardane {

using namespace gui_test;

class MainFormLists : public QObject {
    Q_OBJECT

private slots:
    void choosing_an_input_folder_checks_only_the_first_file();
    void ctrl_shift_and_plain_clicks();
    void keyboard_ticks_rows_and_tab_leaves_the_lists();
    void typed_folders_apply_once_and_missing_ones_are_marked();
    void typed_folder_is_trimmed_and_stored_absolute();
    void drops();
    void output_rows_are_replaced_and_painted_red();
    void renames();
    void run_button_messages_and_vanished_inputs();
    void run_mode_log_and_working_folder();
    void help_and_option_buttons();
};

void MainFormLists::choosing_an_input_folder_checks_only_the_first_file()
{
    window_setup w;
    write_file(w.in, "b.h5", "bb");
    write_file(w.in, "a.h5", "a");
    write_file(w.in, "c.h5", QByteArray(3 * 1024 * 1024 / 2, 'c'));
    w.s.sub("in/folder-is-not-listed");

    // Through the chooser, as a user would.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->selectFile(w.in);
        static_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(control<QToolButton>(w.form, "btnInput"), Qt::LeftButton);

    QTableWidget* list = input_list(w.form);
    QCOMPARE(column_texts(list, 1), (QStringList{"a.h5", "b.h5", "c.h5"}));
    QCOMPARE(column_texts(list, 0).first(), QDir(w.in).filePath("a.h5"));
    QCOMPARE(column_texts(list, 4), (QStringList{"True", "False", "False"}));
    QCOMPARE(selected_rows(list), QList<int>{0});
    QCOMPARE(list->item(2, 3)->text(), QStringLiteral("1.50 MiB"));
    QVERIFY(!list->item(0, 2)->text().isEmpty());
    QCOMPARE(input_box(w.form)->text(), w.in);
}

void MainFormLists::ctrl_shift_and_plain_clicks()
{
    window_setup w;
    for (const char* name : {"0", "1", "2", "3", "4", "5"}) write_file(w.in, name, "x");
    choose_input(w.form, w.in);
    QTableWidget* list = input_list(w.form);
    QCOMPARE(list->rowCount(), 6);

    // Each step: click a row with modifiers, then the checked rows.
    const struct {
        int row;
        Qt::KeyboardModifiers modifiers;
        QList<int> checked;
    } steps[] = {
        {2, Qt::ControlModifier, {0, 2}},
        {0, Qt::ControlModifier, {2}},     // toggles off
        {4, Qt::ShiftModifier, {2, 3, 4}}, // from the first checked row,
        {1, Qt::ShiftModifier, {1, 2}},    // in either direction
        {5, Qt::NoModifier, {5}},          // a plain click leaves only the clicked row
        {5, Qt::ControlModifier, {}},
        {3, Qt::ShiftModifier, {0, 1, 2, 3}}, // nothing checked: Shift starts from row 0
    };
    for (const auto& step : steps) {
        click_row(list, step.row, step.modifiers);
        QCOMPARE(checked_rows(list), step.checked);
        if (!step.checked.isEmpty()) QCOMPARE(selected_rows(list), step.checked);
    }

    // Checked rows are painted with the highlight colours.
    const QPalette pal = list->palette();
    QCOMPARE(list->item(3, 1)->background().color(), pal.color(QPalette::Highlight));
    QCOMPARE(list->item(4, 1)->background().color(), pal.color(QPalette::Base));

    // A right click changes nothing.
    QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                      list->visualRect(list->model()->index(5, 1)).center());
    QCOMPARE(checked_rows(list), (QList<int>{0, 1, 2, 3}));
}

void MainFormLists::keyboard_ticks_rows_and_tab_leaves_the_lists()
{
    window_setup w;
    for (const char* name : {"0", "1", "2", "3"}) write_file(w.in, name, "x");
    choose_input(w.form, w.in);
    QTableWidget* list = input_list(w.form);
    list->setFocus();
    QCOMPARE(checked_rows(list), (QList<int>{0}));

    // Each step: a key with modifiers, then the checked rows.
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        QList<int> checked;
    } steps[] = {
        {Qt::Key_Down, Qt::NoModifier, {1}},       // moves and checks, as a plain click
        {Qt::Key_Down, Qt::ShiftModifier, {1, 2}}, // extends, as a Shift-click
        {Qt::Key_Space, Qt::NoModifier, {1}},      // toggles the current row
        {Qt::Key_Space, Qt::NoModifier, {1, 2}},
        {Qt::Key_Up, Qt::NoModifier, {1}},
        {Qt::Key_A, Qt::ControlModifier, {0, 1, 2, 3}},
    };
    for (const auto& step : steps) {
        QTest::keyClick(list, Qt::Key(step.key), step.modifiers);
        QCOMPARE(checked_rows(list), step.checked);
    }

    // Tab leaves a list in one press, whichever cell is current.
    for (QTableWidget* table : {list, output_list(w.form)}) {
        table->setFocus();
        QVERIFY(table->hasFocus());
        QTest::keyClick(table, Qt::Key_Tab);
        QVERIFY(!table->hasFocus());
    }
}

void MainFormLists::typed_folders_apply_once_and_missing_ones_are_marked()
{
    window_setup w;
    const QString message = QStringLiteral("There is no-files in selected folder.");
    auto messages = [&] { return log_lines(w.form).count(message); };

    // Enter then leaving applies the folder once.
    type_into(input_box(w.form), w.in, true);
    QCOMPARE(messages(), 1);
    leave_box(w.form);
    QCOMPARE(messages(), 1);

    // Entering and leaving without a change applies nothing either.
    input_box(w.form)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    leave_box(w.form);
    QCOMPARE(messages(), 1);

    // A changed text applied by leaving alone.
    write_file(w.in, "a", "x");
    type_into(input_box(w.form), w.in + "/", false);
    leave_box(w.form);
    QCOMPARE(input_box(w.form)->text(), w.in);
    QCOMPARE(input_list(w.form)->rowCount(), 1);

    // A missing folder keeps its text, is marked and explained; the list
    // stays as it was.
    const QString missing = QDir(w.s.path()).filePath("no-such-folder");
    type_into(input_box(w.form), missing, false);
    leave_box(w.form);
    QCOMPARE(input_box(w.form)->text(), missing);
    QVERIFY(w.form.status_text().contains(missing));
    QCOMPARE(input_list(w.form)->rowCount(), 1);

    // "~" is the home folder; a marked output box refuses a run.
    type_into(output_box(w.form), QStringLiteral("~/no/such/folder"), false);
    leave_box(w.form);
    QCOMPARE(output_box(w.form)->text(), QStringLiteral("~/no/such/folder"));
    QVERIFY(w.form.status_text().contains(QDir::homePath() + "/no/such/folder"));
    QCOMPARE(w.form.get_outputFolder(), QString());
    QTest::mouseClick(control<QPushButton>(w.form, "btnRun"), Qt::LeftButton);
    QCOMPARE(log_lines(w.form).constLast(), QStringLiteral("Output folder is NOT exists."));
    type_into(output_box(w.form), QStringLiteral("~"), true);
    QCOMPARE(w.form.get_outputFolder(), QDir::homePath());
    QVERIFY(w.form.status_text().isEmpty());

    // Emptying the box forgets the folder and the list.
    type_into(input_box(w.form), QString(), false);
    leave_box(w.form);
    QCOMPARE(input_list(w.form)->rowCount(), 0);
    QCOMPARE(input_box(w.form)->text(), QString());
}

void MainFormLists::typed_folder_is_trimmed_and_stored_absolute()
{
    window_setup w;
    // An empty output folder is reported.
    choose_output(w.form, w.out);
    QVERIFY(log_lines(w.form).contains(QStringLiteral("There is no-files in Output folder.")));
    QCOMPARE(output_list(w.form)->rowCount(), 0);

    const QString kept = w.s.sub("kept");
    write_file(kept, "old.tif", "x");
    type_into(output_box(w.form), QStringLiteral("  kept//  "), true); // relative to the start-up folder
    QCOMPARE(w.form.get_outputFolder(), kept);
    QCOMPARE(output_box(w.form)->text(), kept);
    QCOMPARE(column_texts(output_list(w.form), 1), QStringList{"old.tif"});
    QCOMPARE(selected_rows(output_list(w.form)), QList<int>{0});
}

void MainFormLists::drops()
{
    window_setup w;
    const QString a = write_file(w.s.path(), "a", "x");
    const QString b = write_file(w.s.path(), "b", "y");
    QTableWidget* list = input_list(w.form);

    // Refused: a missing file, a folder, plain text, a row meant for the
    // output list; and files from a file manager are no row for the output list.
    QVERIFY(!drop_onto(list, file_urls({a, QDir(w.s.path()).filePath("gone")})));
    QVERIFY(!drop_onto(list, file_urls({w.s.sub("a-folder")})));
    auto* text = new QMimeData;
    text->setText(a);
    QVERIFY(!drop_onto(list, text));
    QVERIFY(!drop_onto(list, encode_dragged_row({a, "a", "d", "s"})));
    QVERIFY(!drop_onto(output_list(w.form), file_urls({a})));
    QCOMPARE(list->rowCount(), 0);

    // The first drop into an empty list checks its first file only.
    QVERIFY(drop_onto(list, file_urls({a, b})));
    QCOMPARE(checked_rows(list), QList<int>{0});
    QCOMPARE(selected_rows(list), QList<int>{0});

    // Files already listed, or twice in one drop, are added once.
    const QString c = write_file(w.s.sub("elsewhere"), "c", "z");
    QVERIFY(drop_onto(list, file_urls({c, a, c})));
    QCOMPARE(column_texts(list, 0), (QStringList{a, b, c}));
    QCOMPARE(column_texts(list, 4), (QStringList{"True", "False", "False"}));
    QCOMPARE(selected_rows(list), QList<int>{0});
}

void MainFormLists::output_rows_are_replaced_and_painted_red()
{
    window_setup w;
    const QString first = write_file(w.out, "a.tif", QByteArray(qsizetype{1024} * 1024, 'a'));
    const QString second = write_file(w.out, "b.tif", "b");
    choose_output(w.form, w.out);
    QTableWidget* list = output_list(w.form);
    QCOMPARE(column_texts(list, 0), (QStringList{first, second}));

    // A run rewrites a.tif: its old row goes, a new red row is appended.
    write_file(w.out, "a.tif", QByteArray(5 * 1024 * 1024 / 4, 'a'));
    w.form.append_outputList(first);
    QCOMPARE(column_texts(list, 0), (QStringList{second, first}));
    QCOMPARE(list->item(1, 3)->text(), QStringLiteral("1.25 MiB"));
    for (int c = 1; c <= 3; ++c) {
        QCOMPARE(list->item(1, c)->foreground().color(), QColor(Qt::red));
        QCOMPARE(list->item(1, c)->data(Qt::UserRole + 1).value<QColor>(), QColor(Qt::red));
    }
    QCOMPARE(selected_rows(list), QList<int>{1});

    // A path that is no longer a file only loses its rows.
    QFile::remove(second);
    w.form.append_outputList(second);
    QCOMPARE(column_texts(list, 0), QStringList{first});
}

namespace {

// Edit the name cell of an output row as a user would and press Enter.
void edit_name(QTableWidget* list, int row, const QString& name)
{
    const QModelIndex index = list->model()->index(row, 1);
    list->setCurrentIndex(index);
    list->edit(index);
    auto* editor = list->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);

    editor->selectAll();
    QTest::keyClicks(editor, name);
    QPointer<QLineEdit> watched(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits and closes the editor later; the rename follows.
    QTRY_VERIFY(watched.isNull());
    QApplication::processEvents();
}

} // namespace

void MainFormLists::renames()
{
    window_setup w;
    const QDir out(w.out);
    write_file(w.out, "a.tif", "a");
    write_file(w.out, "b.tif", "b");
    write_file(w.out, "c.tif", "c");
    choose_output(w.form, w.out);
    QTableWidget* list = output_list(w.form);

    // To an existing name: the old name stays, nothing is overwritten.
    edit_name(list, 0, QStringLiteral("b.tif"));
    QCOMPARE(list->item(0, 1)->text(), QStringLiteral("a.tif"));
    QVERIFY(log_lines(w.form).contains(QStringLiteral("Filename(b.tif) is already exists.")));
    QCOMPARE(QFile(out.filePath("b.tif")).size(), 1);
    QVERIFY(QFile::exists(out.filePath("a.tif")));

    // Blank names and names that leave the folder rename nothing.
    edit_name(list, 0, QStringLiteral("   "));
    edit_name(list, 0, QStringLiteral("../escaped.tif"));
    QCOMPARE(list->item(0, 1)->text(), QStringLiteral("a.tif"));
    QVERIFY(QFile::exists(out.filePath("a.tif")));
    QVERIFY(!QFile::exists(QDir(w.s.path()).filePath("escaped.tif")));

    // A rename that succeeds: the row follows the file.
    edit_name(list, 0, QStringLiteral("renamed.tif"));
    QCOMPARE(list->item(0, 1)->text(), QStringLiteral("renamed.tif"));
    QCOMPARE(list->item(0, 0)->text(), out.filePath("renamed.tif"));
    QVERIFY(QFile::exists(out.filePath("renamed.tif")));
    QVERIFY(!QFile::exists(out.filePath("a.tif")));
    QVERIFY(log_lines(w.form).contains(QStringLiteral("Filename(renamed.tif) is successfully changed.")));
    // Only the name column can be edited.
    QVERIFY(!(list->item(0, 2)->flags() & Qt::ItemIsEditable));
    QVERIFY(!(list->item(0, 3)->flags() & Qt::ItemIsEditable));

    // A file gone behind the window's back: its row goes.
    QFile::remove(out.filePath("b.tif"));
    edit_name(list, 1, QStringLiteral("d.tif"));
    QCOMPARE(column_texts(list, 1), (QStringList{"renamed.tif", "c.tif"}));
    QVERIFY(log_lines(w.form).contains(QStringLiteral("Filename(b.tif) is Not exists.")));
}

void MainFormLists::run_button_messages_and_vanished_inputs()
{
    window_setup w;
    for (const char* name : {"a", "b", "c"}) write_file(w.in, name, "x");
    choose_input(w.form, w.in);
    auto* run = control<QPushButton>(w.form, "btnRun");

    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(log_lines(w.form).contains(QStringLiteral("Output folder is NOT exists.")));

    choose_output(w.form, w.out);
    click_row(input_list(w.form), 0, Qt::ControlModifier); // nothing checked now
    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(log_lines(w.form).contains(QStringLiteral("Input file is not selected.")));
    QVERIFY(!w.form.run_active());

    // Checked files that vanished lose their rows and leave nothing to run.
    click_row(input_list(w.form), 1, Qt::ShiftModifier); // a and b checked
    QFile::remove(QDir(w.in).filePath("a"));
    QFile::remove(QDir(w.in).filePath("b"));
    w.form.printNewLog(QStringLiteral("-"));
    QTest::mouseClick(run, Qt::LeftButton);
    QCOMPARE(column_texts(input_list(w.form), 1), QStringList{"c"});
    QVERIFY(log_lines(w.form).contains(QStringLiteral("Input file is not selected.")));
    QVERIFY(!w.form.run_active());
}

void MainFormLists::run_mode_log_and_working_folder()
{
    window_setup w;
    // The working folder is the process's own, in the user's cache.
    const QString own = QStringLiteral("/cache/vardane/work-") + QString::fromStdString(work_folder_origin())
                        + QString::number(QCoreApplication::applicationPid());
    QCOMPARE(w.form.work_dir(), w.s.path() + own);
    // The first line of the first run replaces the hint.
    w.form.printNewLog(QStringLiteral("first"));
    w.form.printLog(QStringLiteral("second"));
    QCOMPARE(log_lines(w.form), (QStringList{"first", "second"}));

    // Run mode switches exactly the input controls.
    w.form.ChangeRunMode(true);
    QVERIFY(run_mode_controls_enabled(w.form, false));
    for (const char* n : {"btnCancel", "btnClose", "btnHelp"}) QVERIFY2(control<QWidget>(w.form, n)->isEnabled(), n);
    w.form.ChangeRunMode(false);
    QVERIFY(run_mode_controls_enabled(w.form, true));
}

void MainFormLists::help_and_option_buttons()
{
    window_setup w;
    // Without a help file: an error box says so.
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    QTest::mouseClick(control<QPushButton>(w.form, "btnHelp"), Qt::LeftButton);
    QCOMPARE(text, QStringLiteral("Help-file is not exits."));
    QCOMPARE(icon, QMessageBox::Critical);

    // "Option" opens the option dialog modally on the window's settings,
    // and what it saves is what the next run uses.
    w.form.settings().set_config_path(QDir(w.s.path()).filePath(QStringLiteral("vdn-config.dat")).toStdString());
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<OptionForm*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("txt_PRC_GH"));
        name->setText(QStringLiteral("RAIN"));
        QTest::keyClick(name, Qt::Key_Return);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnSet")), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>(w.form, "btnOption"), Qt::LeftButton);
    optSet_t gsmap;
    QVERIFY(w.form.settings().get_OptSetting(ST_GSMAP_HOURLY, "PercipRate", gsmap));
    QCOMPARE(gsmap.name, std::string("RAIN"));
}

} // namespace vardane

QTEST_MAIN(vardane::MainFormLists)
#include "tst_main_form_lists.moc"
