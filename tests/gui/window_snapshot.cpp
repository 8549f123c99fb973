// Not a test: shows the window on the current display (Xvfb in practice),
// runs it as a user would over synthetic products (one of them damaged) and
// a product that crashes a reading library, and saves pictures of the
// screen before, during and after the run.
// Usage: vardane_window_snapshot OUT.png WORKFOLDER [WIDTHxHEIGHT]
// (QT_SCALE_FACTOR=2 in the environment shows it as on a high-density screen)
#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "gui_test_support.h"
#include "screen_picture.h"
#include "synth_registry.h"

namespace vardane {

using namespace gui_test;

namespace {

int run_program(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "usage: %s OUT.png WORKFOLDER [WIDTHxHEIGHT]\n", argv[0]);
        return 2;
    }
    // Its run's workers are the window program's: this is a program of its own.
    if (qEnvironmentVariableIsEmpty("VARDANE_WORKER_PROGRAM"))
        qputenv("VARDANE_WORKER_PROGRAM", QByteArrayLiteral(VARDANE_WORKER_PROGRAM));
    const QString picture = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    const QString in = make_folder(root, "products");
    const QString out = make_folder(root, "converted");
    for (const char* kind : {"GSMAP_HOURLY", "AMSR2_L3_BT", "DPR_DAILY", "AMSR2_L1B"}) {
        for (const synth_kind& k : all_synth_kinds()) {
            if (k.name == kind)
                k.write(QFile::encodeName(QDir(in).filePath(QString::fromLatin1(kind).toLower() + ".h5")).toStdString(),
                        synth_options{});
        }
    }
    write_file(in, "readme.txt", "not a product");
    const QString cut = QDir(in).filePath(QStringLiteral("gsmap_hourly.h5"));
    QFile::copy(cut, QDir(in).filePath(QStringLiteral("damaged.h5")));
    QFile::resize(QDir(in).filePath(QStringLiteral("damaged.h5")), QFileInfo(cut).size() / 2);
    // A product on which a reading library crashes its process.
    QFile::copy(QStringLiteral(VARDANE_SOURCE_DIR "/tests/corpus/crashers/amsr2_l1b_m11.h5"),
                QDir(in).filePath(QStringLiteral("crasher.h5")));
    QDir::setCurrent(root);

    MainForm form;
    form.move(0, 0);
    if (argc == 4) {
        const QStringList wh = QString::fromLocal8Bit(argv[3]).split(u'x');
        if (wh.size() == 2) form.resize(wh[0].toInt(), wh[1].toInt());
    }
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    choose_input(form, in);
    choose_output(form, out);
    click_row(input_list(form), input_list(form)->rowCount() - 1, Qt::ShiftModifier);
    QString before = picture;
    before.replace(QStringLiteral(".png"), QStringLiteral("-before.png"));
    save_screen_picture(before, &form);
    QTest::mouseClick(control<QPushButton>(form, "btnRun"), Qt::LeftButton);
    // One picture while the second file is converted, one after the run.
    if (!QTest::qWaitFor([&] { return log_lines(form).filter(QStringLiteral("is processing")).size() >= 2; }, 600000))
        return 1;
    QString running = picture;
    running.replace(QStringLiteral(".png"), QStringLiteral("-running.png"));
    save_screen_picture(running, &form);
    if (!QTest::qWaitFor([&] { return !form.run_active(); }, 600000)) return 1;
    fprintf(stderr, "%s\n", qPrintable(log_lines(form).join(u'\n')));
    return save_screen_picture(picture, &form) ? 0 : 1;
}

} // namespace

} // namespace vardane

int main(int argc, char* argv[]) { return vardane::run_program(argc, argv); }
