// The option dialogs on a small screen: 1366 x 768 at 125 % (ctest starts
// this test on such an offscreen screen), and the sizing rule itself.
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/window/options/colorbar_setting_form.h"
#include "app/window/options/option_form.h"
#include "app/window/options/screen_fit.h"
#include "gui_test_support.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

// The button's whole rectangle in screen coordinates.
QRect on_screen(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

// Every named button lies wholly inside `area` and can be clicked.
void buttons_inside(QWidget* dialog, const QRect& area, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY2(b, name);
        QVERIFY2(b->isVisible(), name);
        const QRect r = on_screen(b);
        QVERIFY2(area.contains(r), qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 outside %6x%7")
                                                  .arg(QLatin1String(name))
                                                  .arg(r.x())
                                                  .arg(r.y())
                                                  .arg(r.width())
                                                  .arg(r.height())
                                                  .arg(area.width())
                                                  .arg(area.height())));
    }
}

} // namespace

class OptionDialogScreenTest : public QObject {
    Q_OBJECT

private slots:
    void sizing_rule();
    void option_dialog_fits_a_small_screen();
    void colour_bar_dialog_fits_a_small_screen();

private:
    gui_test::scratch s_;
};

void OptionDialogScreenTest::sizing_rule()
{
    const QRect laptop(0, 0, 1093, 614), desktop(0, 0, 1600, 1000);
    // The designed size where it fits, else the room left beside a frame.
    QCOMPARE(fitted_size(QSize(1100, 700), desktop), QSize(1100, 700));
    QCOMPARE(fitted_size(QSize(1100, 700), laptop), QSize(1093, 614) - kWindowFrame);
    QCOMPARE(fitted_size(QSize(900, 500), laptop), QSize(900, 500));
    // Centred on what it opens over, but never beyond the screen's edges.
    QCOMPARE(fitted_position(QSize(400, 200), QRect(0, 0, 1001, 801), desktop), QPoint(300, 300));
    QCOMPARE(fitted_position(QSize(800, 600), QRect(900, 700, 601, 301), desktop), QPoint(800, 400));
    QCOMPARE(fitted_position(QSize(800, 600), QRect(-300, -300, 200, 200), desktop), QPoint(0, 0));
    QCOMPARE(fitted_position(QSize(400, 200), QRect(1800, 100, 101, 101), QRect(1600, 0, 1280, 1024)),
             QPoint(1650, 50));
}

void OptionDialogScreenTest::option_dialog_fits_a_small_screen()
{
    // The screen ctest gives: 1366 x 768 pixels at 125 %.
    QScreen* screen = QGuiApplication::primaryScreen();
    QCOMPARE(screen->devicePixelRatio(), 1.25);
    const QRect area = screen->availableGeometry();
    QCOMPARE(area, QRect(0, 0, 1093, 614));

    spconverter settings;
    OptionForm form(settings);
    QTimer::singleShot(0, [&] {
        QVERIFY(area.contains(form.frameGeometry()));
        buttons_inside(&form, area, {"btnSet", "btnClose"});
        // The pages scroll instead of pushing the buttons away.
        auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("tabSatellite"));
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            auto* page = qobject_cast<QScrollArea*>(tabs->widget(i));
            QVERIFY(page);
            QTest::qWait(0);
            QVERIFY2(page->verticalScrollBar()->maximum() > 0, qPrintable(page->objectName()));
            buttons_inside(&form, area, {"btnSet", "btnClose"});
        }
        // The buttons work where they are.
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    });
    QCOMPARE(form.ShowDialog(), int(QDialog::Rejected));
}

void OptionDialogScreenTest::colour_bar_dialog_fits_a_small_screen()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    spconverter org, work;
    // Opened over the option dialog, as the colour-bar buttons open it; the
    // L1R kind has the most rows (40).
    OptionForm options(org);
    options.show();
    QVERIFY(QTest::qWaitForWindowExposed(&options));
    ColorbarSettingForm form(org, work, &options);
    QTimer::singleShot(0, [&] {
        QVERIFY(area.contains(form.frameGeometry()));
        buttons_inside(&form, area, {"btnSave", "btnClose"});
        auto* rows = form.findChild<QScrollArea*>();
        QVERIFY(rows && rows->verticalScrollBar()->maximum() > 0);
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    });
    QCOMPARE(form.ShowDialog(ST_GCOMW_L1R), int(QDialog::Rejected));
}

} // namespace vardane

QTEST_MAIN(vardane::OptionDialogScreenTest)
#include "tst_option_dialog_screen.moc"
