// The main window without runs: initial state, folders, the two lists,
// renaming, messages of the buttons.
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>

#include "app/window/file_table.h"
#include "gui_test_support.h"

using namespace gui_test;

class MainFormLists : public QObject {
    Q_OBJECT

private slots:
    void initial_state();
    void choosing_an_input_folder_checks_only_the_first_file();
    void ctrl_shift_and_plain_clicks();
    void typed_missing_folder_is_undone_on_leaving();
    void enter_then_leave_applies_once();
    void typed_folder_is_trimmed_and_stored_absolute();
    void empty_folders_are_reported();
    void dropped_files_are_added_once();
    void first_drop_into_empty_list_checks_it();
    void drop_with_a_missing_file_is_refused();
    void output_rows_are_replaced_and_painted_red();
    void rename_to_existing_name_keeps_old_name();
    void rename_succeeds_and_follows_the_file();
    void rename_of_vanished_file_drops_the_row();
    void run_button_messages();
    void run_button_drops_rows_of_vanished_files();
    void run_mode_switches_exactly_the_input_controls();
    void help_without_help_file_shows_error_box();
    void option_button_uses_the_installed_dialog();
};

void MainFormLists::initial_state()
{
    scratch s;
    MainForm form;
    QVERIFY(control<QCheckBox>(form, "cbox_GeoTiff")->isChecked());
    for (const char* name : {"cbox_KMZ", "cbox_Both", "cbox_NetCDF"}) QVERIFY(!control<QCheckBox>(form, name)->isChecked());
    QCOMPARE(log_lines(form), QStringList{QStringLiteral("It is displayed at run time progress, error, etc.")});
    // The working folder is the process's own, in the user's cache.
    QCOMPARE(form.work_dir(), s.path() + QStringLiteral("/cache/vardane/work-%1").arg(QCoreApplication::applicationPid()));

    // The first line of the first run replaces the hint.
    form.printNewLog(QStringLiteral("first"));
    form.printLog(QStringLiteral("second"));
    QCOMPARE(log_lines(form), (QStringList{"first", "second"}));
}

void MainFormLists::choosing_an_input_folder_checks_only_the_first_file()
{
    scratch s;
    const QString in = s.sub("in");
    write_file(in, "b.h5", "bb");
    write_file(in, "a.h5", "a");
    write_file(in, "c.h5", QByteArray(3 * 1024 * 1024 / 2, 'c'));
    s.sub("in/folder-is-not-listed");
    MainForm form;
    form.show();

    // Through the chooser, as a user would.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Select folder for satellite product data."));
        dialog->selectFile(in);
        static_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(control<QToolButton>(form, "btnInput"), Qt::LeftButton);

    QTableWidget* list = input_list(form);
    QCOMPARE(column_texts(list, 1), (QStringList{"a.h5", "b.h5", "c.h5"}));
    QCOMPARE(column_texts(list, 0).first(), QDir(in).filePath("a.h5"));
    QCOMPARE(column_texts(list, 4), (QStringList{"True", "False", "False"}));
    QCOMPARE(selected_rows(list), QList<int>{0});
    QCOMPARE(list->item(2, 3)->text(), QStringLiteral("1.50 MiB"));
    QVERIFY(!list->item(0, 2)->text().isEmpty());
    QCOMPARE(input_box(form)->text(), in);
}

void MainFormLists::ctrl_shift_and_plain_clicks()
{
    scratch s;
    const QString in = s.sub("in");
    for (const char* name : {"0", "1", "2", "3", "4", "5"}) write_file(in, name, "x");
    MainForm form;
    form.show();
    choose_input(form, in);
    QTableWidget* list = input_list(form);
    QCOMPARE(list->rowCount(), 6);

    click_row(list, 2, Qt::ControlModifier);
    QCOMPARE(checked_rows(list), (QList<int>{0, 2}));
    QCOMPARE(selected_rows(list), (QList<int>{0, 2}));
    click_row(list, 0, Qt::ControlModifier); // toggles off
    QCOMPARE(checked_rows(list), QList<int>{2});

    // From the first checked row (2) to the clicked one, either direction.
    click_row(list, 4, Qt::ShiftModifier);
    QCOMPARE(checked_rows(list), (QList<int>{2, 3, 4}));
    click_row(list, 1, Qt::ShiftModifier);
    QCOMPARE(checked_rows(list), (QList<int>{1, 2}));
    QCOMPARE(selected_rows(list), (QList<int>{1, 2}));

    // A plain click leaves only the clicked row.
    click_row(list, 5);
    QCOMPARE(checked_rows(list), QList<int>{5});
    QCOMPARE(selected_rows(list), QList<int>{5});

    // Nothing checked: Shift starts from row 0.
    click_row(list, 5, Qt::ControlModifier);
    QVERIFY(checked_rows(list).isEmpty());
    click_row(list, 3, Qt::ShiftModifier);
    QCOMPARE(checked_rows(list), (QList<int>{0, 1, 2, 3}));

    // Checked rows are painted with the highlight colours.
    const QPalette pal = list->palette();
    QCOMPARE(list->item(3, 1)->background().color(), pal.color(QPalette::Highlight));
    QCOMPARE(list->item(4, 1)->background().color(), pal.color(QPalette::Base));

    // A right click changes nothing.
    QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                      list->visualRect(list->model()->index(5, 1)).center());
    QCOMPARE(checked_rows(list), (QList<int>{0, 1, 2, 3}));
}

void MainFormLists::typed_missing_folder_is_undone_on_leaving()
{
    scratch s;
    const QString in = s.sub("in");
    write_file(in, "a", "x");
    MainForm form;
    form.show();
    choose_input(form, in);

    type_into(input_box(form), QDir(s.path()).filePath("no-such-folder"), false);
    leave_box(form);
    QCOMPARE(input_box(form)->text(), in);
    QCOMPARE(input_list(form)->rowCount(), 1);

    // The same for the output box, which starts empty.
    type_into(output_box(form), QStringLiteral("/no/such/folder"), false);
    leave_box(form);
    QCOMPARE(output_box(form)->text(), QString());
    QCOMPARE(form.get_outputFolder(), QString());

    // Emptying the box forgets the folder and the list.
    type_into(input_box(form), QString(), false);
    leave_box(form);
    QCOMPARE(input_list(form)->rowCount(), 0);
    QCOMPARE(input_box(form)->text(), QString());
}

void MainFormLists::enter_then_leave_applies_once()
{
    scratch s;
    const QString empty = s.sub("empty");
    MainForm form;
    form.show();
    const QString message = QStringLiteral("There is no-files in selected folder.");

    type_into(input_box(form), empty, true);
    QCOMPARE(count_line(form, message), 1);
    leave_box(form);
    QCOMPARE(count_line(form, message), 1);

    // Entering and leaving without a change applies nothing either.
    input_box(form)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    leave_box(form);
    QCOMPARE(count_line(form, message), 1);

    // A changed text applied by leaving alone.
    type_into(input_box(form), empty + "/", false);
    leave_box(form);
    QCOMPARE(count_line(form, message), 2);
    QCOMPARE(input_box(form)->text(), empty);
}

void MainFormLists::typed_folder_is_trimmed_and_stored_absolute()
{
    scratch s;
    const QString out = s.sub("out");
    write_file(out, "old.tif", "x");
    MainForm form;
    form.show();

    type_into(output_box(form), QStringLiteral("  out//  "), true); // relative to the start-up folder
    QCOMPARE(form.get_outputFolder(), out);
    QCOMPARE(output_box(form)->text(), out);
    QCOMPARE(column_texts(output_list(form), 1), QStringList{"old.tif"});
    QCOMPARE(selected_rows(output_list(form)), QList<int>{0});
}

void MainFormLists::empty_folders_are_reported()
{
    scratch s;
    MainForm form;
    form.show();
    choose_output(form, s.sub("out"));
    QVERIFY(log_lines(form).contains(QStringLiteral("There is no-files in Output folder.")));
    QCOMPARE(output_list(form)->rowCount(), 0);
}

void MainFormLists::dropped_files_are_added_once()
{
    scratch s;
    const QString in = s.sub("in");
    const QString listed = write_file(in, "a", "x");
    const QString other = write_file(s.sub("elsewhere"), "b", "y");
    MainForm form;
    form.show();
    choose_input(form, in);
    QTableWidget* list = input_list(form);

    QVERIFY(drop_onto(list, file_urls({listed})));
    QCOMPARE(list->rowCount(), 1);

    QVERIFY(drop_onto(list, file_urls({other, listed, other})));
    QCOMPARE(column_texts(list, 0), (QStringList{listed, other}));
    QCOMPARE(column_texts(list, 4), (QStringList{"True", "False"}));
    QCOMPARE(selected_rows(list), QList<int>{0});
}

void MainFormLists::first_drop_into_empty_list_checks_it()
{
    scratch s;
    const QString a = write_file(s.path(), "a", "x");
    const QString b = write_file(s.path(), "b", "x");
    MainForm form;
    form.show();
    QVERIFY(drop_onto(input_list(form), file_urls({a, b})));
    QCOMPARE(checked_rows(input_list(form)), QList<int>{0});
    QCOMPARE(selected_rows(input_list(form)), QList<int>{0});
}

void MainFormLists::drop_with_a_missing_file_is_refused()
{
    scratch s;
    const QString a = write_file(s.path(), "a", "x");
    MainForm form;
    form.show();
    QVERIFY(!drop_onto(input_list(form), file_urls({a, QDir(s.path()).filePath("gone")})));
    QVERIFY(!drop_onto(input_list(form), file_urls({s.sub("a-folder")})));
    auto* text = new QMimeData;
    text->setText(a);
    QVERIFY(!drop_onto(input_list(form), text));
    QCOMPARE(input_list(form)->rowCount(), 0);
    // A row meant for the output list is not a file list either.
    QVERIFY(!drop_onto(input_list(form), encode_dragged_row({a, "a", "d", "s"})));
    // And files from a file manager are no row for the output list.
    QVERIFY(!drop_onto(output_list(form), file_urls({a})));
}

void MainFormLists::output_rows_are_replaced_and_painted_red()
{
    scratch s;
    const QString out = s.sub("out");
    const QString first = write_file(out, "a.tif", QByteArray(1024 * 1024, 'a'));
    const QString second = write_file(out, "b.tif", "b");
    MainForm form;
    form.show();
    choose_output(form, out);
    QTableWidget* list = output_list(form);
    QCOMPARE(column_texts(list, 0), (QStringList{first, second}));
    QCOMPARE(list->item(0, 3)->text(), QStringLiteral("1.00 MiB"));

    // A run rewrites a.tif: its old row goes, a new red row is appended.
    write_file(out, "a.tif", QByteArray(5 * 1024 * 1024 / 4, 'a'));
    form.append_outputList(first);
    QCOMPARE(column_texts(list, 0), (QStringList{second, first}));
    QCOMPARE(list->item(1, 3)->text(), QStringLiteral("1.25 MiB"));
    for (int c = 1; c <= 3; ++c) {
        QCOMPARE(list->item(1, c)->foreground().color(), QColor(Qt::red));
        QCOMPARE(list->item(1, c)->data(Qt::UserRole + 1).value<QColor>(), QColor(Qt::red));
    }
    QCOMPARE(selected_rows(list), QList<int>{1});

    // A path that is no longer a file only loses its rows.
    QFile::remove(second);
    form.append_outputList(second);
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

void MainFormLists::rename_to_existing_name_keeps_old_name()
{
    scratch s;
    const QString out = s.sub("out");
    write_file(out, "a.tif", "a");
    write_file(out, "b.tif", "b");
    MainForm form;
    form.show();
    choose_output(form, out);
    QTableWidget* list = output_list(form);

    edit_name(list, 0, QStringLiteral("b.tif"));
    QCOMPARE(list->item(0, 1)->text(), QStringLiteral("a.tif"));
    QVERIFY(log_lines(form).contains(QStringLiteral("Filename(b.tif) is already exists.")));
    QCOMPARE(QFile(QDir(out).filePath("b.tif")).size(), 1);
    QVERIFY(QFile::exists(QDir(out).filePath("a.tif")));

    // Blank names and names that leave the folder rename nothing.
    edit_name(list, 0, QStringLiteral("   "));
    edit_name(list, 0, QStringLiteral("../escaped.tif"));
    QCOMPARE(list->item(0, 1)->text(), QStringLiteral("a.tif"));
    QVERIFY(QFile::exists(QDir(out).filePath("a.tif")));
    QVERIFY(!QFile::exists(QDir(s.path()).filePath("escaped.tif")));
}

void MainFormLists::rename_succeeds_and_follows_the_file()
{
    scratch s;
    const QString out = s.sub("out");
    write_file(out, "a.tif", "a");
    MainForm form;
    form.show();
    choose_output(form, out);
    QTableWidget* list = output_list(form);

    edit_name(list, 0, QStringLiteral("renamed.tif"));
    QCOMPARE(list->item(0, 1)->text(), QStringLiteral("renamed.tif"));
    QCOMPARE(list->item(0, 0)->text(), QDir(out).filePath("renamed.tif"));
    QVERIFY(QFile::exists(QDir(out).filePath("renamed.tif")));
    QVERIFY(!QFile::exists(QDir(out).filePath("a.tif")));
    QVERIFY(log_lines(form).contains(QStringLiteral("Filename(renamed.tif) is successfully changed.")));
    // Only the name column can be edited.
    QVERIFY(!(list->item(0, 2)->flags() & Qt::ItemIsEditable));
    QVERIFY(!(list->item(0, 3)->flags() & Qt::ItemIsEditable));
}

void MainFormLists::rename_of_vanished_file_drops_the_row()
{
    scratch s;
    const QString out = s.sub("out");
    write_file(out, "a.tif", "a");
    write_file(out, "b.tif", "b");
    MainForm form;
    form.show();
    choose_output(form, out);
    QFile::remove(QDir(out).filePath("a.tif"));

    edit_name(output_list(form), 0, QStringLiteral("c.tif"));
    QCOMPARE(column_texts(output_list(form), 1), QStringList{"b.tif"});
    QVERIFY(log_lines(form).contains(QStringLiteral("Filename(a.tif) is Not exists.")));
}

void MainFormLists::run_button_messages()
{
    scratch s;
    const QString in = s.sub("in");
    write_file(in, "a", "x");
    MainForm form;
    form.show();
    choose_input(form, in);
    auto* run = control<QPushButton>(form, "btnRun");

    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(log_lines(form).contains(QStringLiteral("Output folder is NOT exists.")));

    choose_output(form, s.sub("out"));
    click_row(input_list(form), 0, Qt::ControlModifier); // nothing checked now
    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(log_lines(form).contains(QStringLiteral("Input file is not selected.")));
    QVERIFY(!form.run_active());
}

void MainFormLists::run_button_drops_rows_of_vanished_files()
{
    scratch s;
    const QString in = s.sub("in");
    write_file(in, "a", "x");
    write_file(in, "b", "x");
    write_file(in, "c", "x");
    MainForm form;
    form.show();
    choose_input(form, in);
    choose_output(form, s.sub("out"));
    click_row(input_list(form), 1, Qt::ShiftModifier); // a and b checked
    QFile::remove(QDir(in).filePath("a"));
    QFile::remove(QDir(in).filePath("b"));

    QTest::mouseClick(control<QPushButton>(form, "btnRun"), Qt::LeftButton);
    QCOMPARE(column_texts(input_list(form), 1), QStringList{"c"});
    QVERIFY(log_lines(form).contains(QStringLiteral("Input file is not selected.")));
}

void MainFormLists::run_mode_switches_exactly_the_input_controls()
{
    scratch s;
    MainForm form;
    form.show();
    const QStringList switched{"cbox_GeoTiff", "cbox_KMZ", "cbox_Both", "cbox_NetCDF", "btnOption", "btnInput",
                               "tboxInput", "dg_InputList", "btnOutput", "tboxOutput", "dg_OutputList", "btnRun"};
    const QStringList always{"btnCancel", "btnClose", "btnHelp"};
    auto enabled = [&](const QString& name) { return form.findChild<QWidget*>(name)->isEnabled(); };

    form.ChangeRunMode(true);
    for (const QString& n : switched) QVERIFY2(!enabled(n), qPrintable(n));
    for (const QString& n : always) QVERIFY2(enabled(n), qPrintable(n));
    form.ChangeRunMode(false);
    for (const QString& n : switched + always) QVERIFY2(enabled(n), qPrintable(n));
}

void MainFormLists::help_without_help_file_shows_error_box()
{
    scratch s;
    MainForm form;
    form.show();
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    QTest::mouseClick(control<QPushButton>(form, "btnHelp"), Qt::LeftButton);
    QCOMPARE(text, QStringLiteral("Help-file is not exits."));
    QCOMPARE(caption, QStringLiteral("Error!"));
    QCOMPARE(icon, QMessageBox::Critical);
}

void MainFormLists::option_button_uses_the_installed_dialog()
{
    scratch s;
    MainForm form;
    form.show();
    auto* option = control<QPushButton>(form, "btnOption");
    QTest::mouseClick(option, Qt::LeftButton); // none installed: nothing happens

    spconverter* given = nullptr;
    form.set_option_dialog([&](QWidget* parent, spconverter& settings) {
        QCOMPARE(parent, static_cast<QWidget*>(&form));
        given = &settings;
    });
    QTest::mouseClick(option, Qt::LeftButton);
    QCOMPARE(given, &form.settings());
}

QTEST_MAIN(MainFormLists)
#include "tst_main_form_lists.moc"
