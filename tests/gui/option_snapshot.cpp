// Not a test: shows the option dialog on the current display (Xvfb in
// practice) and saves a picture of the screen for each page and for one
// colour-bar dialog. Usage: vardane_option_snapshot OUTPREFIX
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/window/options/option_form.h"
#include "screen_picture.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

int run_program(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: %s OUTPREFIX\n", argv[0]);
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    spconverter settings;
    OptionForm form(settings);
    bool saved = true;
    QTimer::singleShot(0, [&] {
        form.move(0, 0);
        auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("tabSatellite"));
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            saved &= save_screen_picture(prefix + QStringLiteral("-page%1.png").arg(i + 1), &form);
        }
        tabs->setCurrentIndex(1);
        QTimer::singleShot(0, [&] {
            saved &= save_screen_picture(prefix + QStringLiteral("-colorbar.png"), QApplication::activeModalWidget());
            QApplication::activeModalWidget()->close();
            form.reject();
        });
        form.findChild<QPushButton*>(QStringLiteral("btn_cb_GCOMW_L2Low"))->click();
    });
    form.ShowDialog();
    return saved ? 0 : 1;
}

} // namespace

} // namespace vardane

int main(int argc, char* argv[]) { return vardane::run_program(argc, argv); }
