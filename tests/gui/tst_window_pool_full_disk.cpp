// The window on a full disk converts as the command line does: every output
// the disk refuses is a failure of its own with the system's cause, and the
// batch goes on to its end. Needs root, for the mount of a 3 MB tmpfs.
#include <sys/mount.h>

#include <QTreeWidget>

#include "gui_test_support.h"
#include "window_pool_support.h"

namespace vardane {

using namespace gui_test;

class WindowPoolFullDisk : public QObject {
    Q_OBJECT

private slots:
    void every_refused_output_is_a_failure_and_the_batch_goes_on();
};

void WindowPoolFullDisk::every_refused_output_is_a_failure_and_the_batch_goes_on()
{
    window_setup w;
    MainForm& form = w.form;
    const QString disk = w.s.sub(QStringLiteral("disk"));
    QVERIFY2(::mount("vardane-window-full-disk", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=3m") == 0,
             "cannot mount a tmpfs (this test runs as root)");
    struct unmount {
        QByteArray path;
        ~unmount() { ::umount2(path.constData(), MNT_DETACH); }
    } const mounted{QFile::encodeName(disk)};
    // Full-size products: their GeoTIFFs and plain TIFFs need far more than
    // 3 MB.
    write_product(w.in, QStringLiteral("l3bt.h5"), "AMSR2_L3_BT", true);
    write_product(w.in, QStringLiteral("l1b.h5"), "AMSR2_L1B", true);
    choose_input(form, w.in);
    choose_output(form, disk);
    click_row(input_list(form), 1, Qt::ShiftModifier);
    control<QCheckBox>(form, "cbox_Both")->setChecked(true);
    form.set_pace_ms(0);

    QTest::mouseClick(control<QPushButton>(form, "btnRun"), Qt::LeftButton);
    QVERIFY(wait_for_idle(form));

    // Both files were converted as far as the disk allowed: the batch did
    // not abort at the first refusal.
    const QStringList lines = log_lines(form);
    for (const char* name : {"l1b.h5", "l3bt.h5"})
        QVERIFY2(lines.contains(QStringLiteral("'%1' is processing, now...  ").arg(QLatin1String(name))), name);
    QCOMPARE(lines.last(), QStringLiteral("Completed."));
    QVERIFY(!lines.contains(QStringLiteral("File I/O execption happened. Abort converting.")));

    // One failure per refused output, each with the system's cause, each
    // counted.
    const QList<failed_line> failed = failed_lines(form);
    QVERIFY2(failed.size() >= 2, qPrintable(lines.join(u'\n')));
    for (const failed_line& f : failed) {
        QVERIFY2(f.cause.contains(QStringLiteral("No space left on device")), qPrintable(f.cause + " " + f.text));
        QVERIFY2(f.text.startsWith(QStringLiteral("Fail in creating ")), qPrintable(f.text));
    }
    QVERIFY(outcome(form).contains(QStringLiteral("\nFailures %1\n").arg(failed.size())));
    QCOMPARE(control<QTreeWidget>(form, "failuresList")->topLevelItemCount(), failed.size());

    // What was kept is whole, and nothing hidden is left on the disk.
    for (const QString& name : files_named(disk, QStringLiteral("*.tif")))
        QVERIFY2(!raster_contents(QDir(disk).filePath(name)).isEmpty(), qPrintable(name));
    QVERIFY(QDir(disk).entryList(QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    QVERIFY(run_mode_controls_enabled(form, true));
}

} // namespace vardane

QTEST_MAIN(vardane::WindowPoolFullDisk)
#include "tst_window_pool_full_disk.moc"
