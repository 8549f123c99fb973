// The window as a desktop program: what it remembers, where Tab goes, how
// outputs are reached and how the lists follow the disk.
#include <QClipboard>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include "app/window/folder_box.h"
#include "gui_test_support.h"

namespace vardane {

using namespace gui_test;

// Stands in for the desktop's file opener.
class url_catcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class MainFormDesktop : public QObject {
    Q_OBJECT

private slots:
    void folders_kinds_and_geometry_are_remembered();
    void tab_follows_the_screen();
    void outputs_open_and_lists_follow_the_disk();
    void about_names_the_libraries();
};

void MainFormDesktop::folders_kinds_and_geometry_are_remembered()
{
    scratch s;
    const QString in = s.sub("in"), out = s.sub("out");
    QRect geometry;
    {
        MainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        choose_input(form, in);
        choose_output(form, out);
        control<QCheckBox>(form, "cbox_GeoTiff")->setChecked(false);
        control<QCheckBox>(form, "cbox_NetCDF")->setChecked(true);
        form.resize(900, 600);
        geometry = form.geometry();
        QVERIFY(form.close());
    }
    MainForm again;
    QCOMPARE(input_box(again)->text(), in);
    QCOMPARE(again.get_outputFolder(), out);
    QVERIFY(!control<QCheckBox>(again, "cbox_GeoTiff")->isChecked());
    QVERIFY(control<QCheckBox>(again, "cbox_NetCDF")->isChecked());
    QCOMPARE(again.size(), geometry.size());

    // A remembered folder that has gone since is left out.
    QVERIFY(QDir(in).removeRecursively());
    QVERIFY(again.close());
    MainForm third;
    QCOMPARE(input_box(third)->text(), QString());
    QCOMPARE(third.get_outputFolder(), out);
}

void MainFormDesktop::tab_follows_the_screen()
{
    window_setup w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    // From the first box, Tab reaches every control once, each one to the
    // right of or below the one before.
    QWidget* first = input_box(w.form);
    QList<QWidget*> chain{first};
    for (QWidget* next = first->nextInFocusChain(); next != first; next = next->nextInFocusChain()) {
        if (next->focusPolicy() & Qt::TabFocus && next->isVisibleTo(&w.form) && next->window() == &w.form
            && !next->focusProxy() && w.form.isAncestorOf(next))
            chain << next;
    }
    QStringList names;
    for (QWidget* c : chain) names << c->objectName();
    QCOMPARE(names, (QStringList{"tboxInput",     "btnInput",     "dg_InputList",  "tboxOutput",      "btnOutput",
                                 "dg_OutputList", "tbox_Infolog", "btnSaveLog",    "cbox_GeoTiff",    "cbox_KMZ",
                                 "cbox_Both",     "cbox_NetCDF",  "combo_Profile", "combo_PolarGrid", "cbox_NoData",
                                 "btnOption",     "spin_Jobs",    "btnRun",        "btnCancel",       "btnHelp",
                                 "btnClose"}));
    const auto area = [&](QWidget* c) { return QRect(c->mapTo(&w.form, QPoint(0, 0)), c->size()); };
    for (qsizetype i = 1; i < chain.size(); ++i) {
        const QRect a = area(chain[i - 1]), b = area(chain[i]);
        QVERIFY2(b.left() >= a.right() - 2 || b.top() >= a.bottom() - 2, qPrintable(names[i]));
    }
    // Every button has a mnemonic.
    for (const char* b : {"btnRun", "btnCancel", "btnClose", "btnHelp", "btnOption"})
        QVERIFY2(control<QPushButton>(w.form, b)->text().contains(u'&'), b);
}

void MainFormDesktop::outputs_open_and_lists_follow_the_disk()
{
    window_setup w;
    const QString tif = write_file(w.out, "a.tif", "x");
    w.choose_folders();
    QTableWidget* outputs = output_list(w.form);
    QCOMPARE(outputs->rowCount(), 1);

    url_catcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    const QRect cell = outputs->visualRect(outputs->model()->index(0, 2));
    QTest::mouseClick(outputs->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(outputs->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(tif)});

    // "Copy path" from the row's menu.
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->actions().at(2)->trigger();
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, cell.center(),
                                outputs->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(outputs->viewport(), &menuEvent);
    QCOMPARE(QGuiApplication::clipboard()->text(), tif);

    // Files made and removed by others show up and go.
    write_file(w.in, "new.h5", "y");
    write_file(w.out, "b.tif", "z");
    QVERIFY(QTest::qWaitFor([&] { return column_texts(outputs, 1).contains("b.tif"); }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return column_texts(input_list(w.form), 1).contains("new.h5"); }, 5000));
    QVERIFY(QFile::remove(tif));
    QVERIFY(QTest::qWaitFor([&] { return !column_texts(outputs, 1).contains("a.tif"); }, 5000));
}

void MainFormDesktop::about_names_the_libraries()
{
    window_setup w;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        box->accept();
    });
    QMenu* help = control<QMenuBar>(w.form, "menuBar")->actions().at(1)->menu();
    help->actions().at(1)->trigger();
    for (const char* library : {"GDAL", "HDF5", "netCDF", "libtiff", "Qt"}) QVERIFY2(text.contains(library), library);
    QVERIFY(!w.form.windowIcon().pixmap(48, 48).isNull());
}

} // namespace vardane

QTEST_MAIN(vardane::MainFormDesktop)
#include "tst_main_form_desktop.moc"
