// The window converts through the command line's worker pool: a file that
// crashes a library costs that file only and is a named failure, a cancel
// leaves nothing of the file it stopped, and the number of jobs is the
// user's and remembered.
#include <fcntl.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QSpinBox>
#include <QThread>
#include <QTreeWidget>

#include "gui_test_support.h"
#include "batch/worker_program.h"
#include "settings/spconverter.h"
#include "window_pool_support.h"

namespace vardane {

using namespace gui_test;

namespace {

// A product on which HDF5 crashes its process (tests/corpus/README.md).
const QString kCrasher = QStringLiteral(VARDANE_SOURCE_DIR "/tests/corpus/crashers/amsr2_l1b_m11.h5");

QSpinBox* jobs_box(MainForm& form) { return control<QSpinBox>(form, "spin_Jobs"); }

// The GeoTIFFs the command line makes of `input`, into `folder`.
void convert_with_the_command_line(const QString& input, const QString& folder)
{
    QProcess cli;
    cli.start(QStringLiteral(VARDANE_BUILD_DIR "/cli/vardane-cli"),
              {QStringLiteral("-q"), QStringLiteral("--geotiff"), QStringLiteral("-o"), folder, input});
    QVERIFY(cli.waitForFinished(kPoolRunTimeoutMs));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
}

} // namespace

class WindowPool : public QObject {
    Q_OBJECT

private slots:
    void a_crashing_file_is_a_named_failure_and_the_others_convert();
    void cancel_leaves_nothing_of_the_file_it_stopped();
    void jobs_are_the_users_and_remembered();
    void unsaved_settings_reach_the_workers();
    void workers_are_quiet_unless_verbose();
    void geotiff_profile_and_nodata_reach_the_workers_and_are_remembered();
};

void WindowPool::a_crashing_file_is_a_named_failure_and_the_others_convert()
{
    window_setup w;
    MainForm& form = w.form;
    // The crasher first, so that it meets a fresh worker (the only sure way
    // to crash one), then two good files.
    const QString crasher = QDir(w.in).filePath(QStringLiteral("a_crash.h5"));
    QVERIFY(QFile::copy(kCrasher, crasher));
    const QString good1 = write_product(w.in, QStringLiteral("b_good.h5"), "GSMAP_HOURLY");
    const QString good2 = write_product(w.in, QStringLiteral("c_good.h5"), "AMSR2_L3_BT");
    w.choose_folders();
    click_row(input_list(form), 2, Qt::ShiftModifier);
    QCOMPARE(checked_rows(input_list(form)), (QList<int>{0, 1, 2}));
    form.set_pace_ms(0);
    jobs_box(form)->setValue(jobs_box(form)->maximum());

    press(form, "btnRun");
    QVERIFY(form.run_active());
    QVERIFY(wait_for_idle(form));

    // The window lives on, idle, and says which file failed and why.
    QVERIFY(form.isVisible());
    QVERIFY(run_mode_controls_enabled(form, true));
    const QList<failed_line> failed = failed_lines(form);
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed[0].file, crasher);
    QVERIFY2(failed[0].cause.startsWith(QStringLiteral("conversion crashed (")), qPrintable(failed[0].cause));
    QVERIFY2(failed[0].text.startsWith(QStringLiteral("a_crash.h5: conversion crashed (")), qPrintable(failed[0].text));
    QVERIFY(failed[0].text.endsWith(QStringLiteral("; outputs of this file discarded")));
    // The failures list under the summary names it too.
    auto* list = control<QTreeWidget>(form, "failuresList");
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("a_crash.h5"));
    QCOMPARE(list->topLevelItem(0)->toolTip(0), crasher);
    QCOMPARE(list->topLevelItem(0)->text(2), failed[0].cause);
    const QStringList lines = log_lines(form);
    QCOMPARE(lines.last(), QStringLiteral("Completed."));
    QVERIFY(outcome(form).startsWith(QStringLiteral("Files 3\n")));
    QVERIFY(outcome(form).contains(QStringLiteral("\nFailures 1\n")));

    // The good files' GeoTIFFs are those of the command line, listed red,
    // and nothing was made of the crasher.
    QVERIFY(files_named(w.out, QStringLiteral("a_crash*")).isEmpty());
    const QString reference = w.s.sub(QStringLiteral("reference"));
    for (const QString& good : {good1, good2}) convert_with_the_command_line(good, reference);
    const QStringList made = files_named(reference, QStringLiteral("*.tif"));
    QVERIFY(made.size() >= 2);
    QCOMPARE(files_named(w.out, QStringLiteral("*.tif")), made);
    QVERIFY(outcome(form).contains(QStringLiteral("Outputs written %1\n").arg(made.size())));
    for (const QString& name : made) {
        const QByteArray expected = raster_contents(QDir(reference).filePath(name));
        QVERIFY2(!expected.isEmpty(), qPrintable(name));
        QVERIFY2(raster_contents(QDir(w.out).filePath(name)) == expected, qPrintable(name));
        const auto row = static_cast<int>(column_texts(output_list(form), 0).indexOf(QDir(w.out).filePath(name)));
        QVERIFY2(row >= 0, qPrintable(name));
        QCOMPARE(output_list(form)->item(row, 1)->foreground().color(), QColor(Qt::red));
    }
    // No working folder of a worker is left in the output folder.
    QVERIFY(QDir(w.out).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).size() == made.size());
}

void WindowPool::cancel_leaves_nothing_of_the_file_it_stopped()
{
    window_setup w;
    MainForm& form = w.form;
    for (const char* name : {"a.h5", "b.h5", "c.h5"}) write_product(w.in, QString::fromLatin1(name), "GSMAP_HOURLY");
    w.choose_folders();
    click_row(input_list(form), 2, Qt::ShiftModifier);
    form.set_pace_ms(0);
    // b.h5's worker stops for good right after its first output, out of
    // reach of every cancel check, as in a library call that never returns.
    qputenv("VARDANE_TEST_SPIN_ON", "b.h5");

    press(form, "btnRun");
    const QString processingB = QStringLiteral("'b.h5' is processing, now...  ");
    const auto madeByB = [&] {
        const QStringList lines = log_lines(form);
        const auto from = lines.indexOf(processingB);
        return from >= 0 && lines.mid(from).filter(QStringLiteral(") is created.")).size() > 0;
    };
    QVERIFY(QTest::qWaitFor(madeByB, kPoolRunTimeoutMs));
    qunsetenv("VARDANE_TEST_SPIN_ON");
    const QStringList beforeCancel = log_lines(form);
    const QStringList outputsOfA =
        beforeCancel.mid(0, beforeCancel.indexOf(processingB)).filter(QStringLiteral(") is created."));
    const QString outputOfB = beforeCancel.mid(beforeCancel.indexOf(processingB))
                                  .filter(QStringLiteral(") is created."))
                                  .constFirst()
                                  .section(u'(', 1)
                                  .section(u')', 0, 0);
    QVERIFY(!outputsOfA.isEmpty());
    QVERIFY(QFileInfo::exists(QDir(w.out).filePath(outputOfB)));
    press(form, "btnCancel");
    QVERIFY(wait_for_idle(form));

    // The stuck worker was stopped and b.h5's output went with it; a.h5's
    // stay, c.h5 was never begun, and the summary counts a and b.
    const QStringList lines = log_lines(form);
    QVERIFY(lines.contains(QStringLiteral("b.h5: still converting 5 s after the cancel; its worker was stopped")));
    QVERIFY(!lines.contains(QStringLiteral("Completed.")));
    QVERIFY(!lines.contains(QStringLiteral("'c.h5' is processing, now...  ")));
    QVERIFY(!QFileInfo::exists(QDir(w.out).filePath(outputOfB)));
    QVERIFY(!column_texts(output_list(form), 0).contains(QDir(w.out).filePath(outputOfB)));
    QCOMPARE(files_named(w.out, QStringLiteral("*")).size(), outputsOfA.size());
    for (const QString& name : files_named(w.out, QStringLiteral("*")))
        QVERIFY2(!raster_contents(QDir(w.out).filePath(name)).isEmpty(), qPrintable(name));
    QCOMPARE(
        outcome(form),
        QStringLiteral("Files 2\nOutputs written %1\nFailures 0\nNot products 0\nCancelled").arg(outputsOfA.size()));
    QVERIFY(QDir(w.out).entryList(QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

    // The next run starts afresh and converts.
    press(form, "btnRun");
    QVERIFY(wait_for_idle(form));
    QCOMPARE(log_lines(form).last(), QStringLiteral("Completed."));
    QVERIFY(QFileInfo::exists(QDir(w.out).filePath(outputOfB)));
}

void WindowPool::jobs_are_the_users_and_remembered()
{
    scratch s;
    const int processors = std::max(1, QThread::idealThreadCount());
    {
        MainForm form;
        QSpinBox* jobs = jobs_box(form);
        QCOMPARE(jobs->value(), 1);
        QCOMPARE(jobs->minimum(), 1);
        QCOMPARE(jobs->maximum(), processors);
        // Its label names it, and Alt+J reaches it.
        QCOMPARE(control<QLabel>(form, "lbl_Jobs")->buddy(), jobs);
        jobs->setValue(processors);
        form.close();
    }
    MainForm again;
    QCOMPARE(jobs_box(again)->value(), processors);
    jobs_box(again)->setValue(1);
    again.close();
    MainForm third;
    QCOMPARE(jobs_box(third)->value(), 1);
}

void WindowPool::unsaved_settings_reach_the_workers()
{
    window_setup w;
    MainForm& form = w.form;
    write_product(w.in, QStringLiteral("g.h5"), "GSMAP_HOURLY");
    w.choose_folders();
    form.set_pace_ms(0);
    // An output name changed in the window and not saved: the workers,
    // separate programs, still name the output so.
    optSet_t rate;
    QVERIFY(form.settings().get_OptSet_GSMap_HourlyL3("PercipRate", rate));
    QVERIFY(rate.flag);
    rate.name = "RAIN";
    QVERIFY(form.settings().set_OptSet_GSMap_HourlyL3("PercipRate", rate));

    press(form, "btnRun");
    QVERIFY(wait_for_idle(form));
    QCOMPARE(log_lines(form).last(), QStringLiteral("Completed."));
    QCOMPARE(files_named(w.out, QStringLiteral("*.tif")), QStringList{QStringLiteral("g_RAIN.tif")});
    QVERIFY(!raster_contents(QDir(w.out).filePath(QStringLiteral("g_RAIN.tif"))).isEmpty());
}

namespace {

// What one worker of the window prints on standard error and sends on its
// record channel while it converts `input`.
struct worker_run {
    QByteArray errors;
    QByteArray records;
};

worker_run run_one_worker(const QString& input, const QString& output, bool verbose)
{
    batch_options options;
    options.output = QFile::encodeName(output).toStdString();
    options.kinds.geotiff = true;
    options.verbose = verbose;
    const auto args = worker_arguments(qEnvironmentVariable("VARDANE_WORKER_PROGRAM").toStdString(), options,
                                       static_cast<pid_t>(QCoreApplication::applicationPid()));
    QStringList arguments;
    for (std::size_t i = 1; i < args.size(); ++i) arguments << QString::fromStdString(args[i]);
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0) qFatal("no pipe");
    QProcess worker;
    // The records' descriptor, as the pool lays it out.
    worker.setChildProcessModifier([write = channel[1]] { ::dup2(write, 3); });
    worker.start(QString::fromStdString(args[0]), arguments);
    ::close(channel[1]);
    worker.write(QFile::encodeName(input) + '\n');
    worker.closeWriteChannel();
    worker_run run;
    if (!worker.waitForFinished(kPoolRunTimeoutMs)) qFatal("the worker did not end");
    char chunk[4096];
    for (ssize_t n; (n = ::read(channel[0], chunk, sizeof chunk)) > 0;) run.records.append(chunk, n);
    ::close(channel[0]);
    run.errors = worker.readAllStandardError();
    return run;
}

} // namespace

void WindowPool::workers_are_quiet_unless_verbose()
{
    scratch s;
    const QString out = s.sub(QStringLiteral("out"));
    const QString input = write_product(s.sub(QStringLiteral("in")), QStringLiteral("l1b.h5"), "AMSR2_L1B");
    // The HDF5 reader names the attributes it reads, for those who ask.
    for (const bool verbose : {false, true}) {
        const worker_run run = run_one_worker(input, out, verbose);
        QVERIFY2(run.records.contains("is processing"), run.records.constData());
        QVERIFY2(run.records.contains("is created."), run.records.constData());
        QCOMPARE(run.errors.contains("property='"), verbose);
    }
    QVERIFY(!files_named(out, QStringLiteral("*.tif")).isEmpty());
}

namespace {

// The first band's NoData value and the file's layout ("COG" or "").
struct geotiff_marks {
    std::optional<double> nodata;
    QString layout;
};

geotiff_marks marks_of(const QString& path)
{
    GDALAllRegister();
    const GDALDatasetUniquePtr ds(GDALDataset::Open(QFile::encodeName(path).constData(), GDAL_OF_RASTER));
    if (!ds) return {};
    int has = 0;
    const double v = ds->GetRasterBand(1)->GetNoDataValue(&has);
    return {has ? std::optional<double>(v) : std::nullopt,
            QString::fromUtf8(ds->GetMetadataItem("LAYOUT", "IMAGE_STRUCTURE"))};
}

} // namespace

void WindowPool::geotiff_profile_and_nodata_reach_the_workers_and_are_remembered()
{
    const QString bt = QStringLiteral("bt_BT_H.tif");
    {
        window_setup w;
        MainForm& form = w.form;
        write_product(w.in, QStringLiteral("bt.h5"), "AMSR2_L3_BT");
        w.choose_folders();
        form.set_pace_ms(0);
        auto* profile = control<QComboBox>(form, "combo_Profile");
        auto* nodata = control<QCheckBox>(form, "cbox_NoData");
        QCOMPARE(profile->currentText(), QStringLiteral("plain"));
        QVERIFY(!nodata->isChecked());
        // Choosing cog brings NoData with it.
        profile->setCurrentIndex(profile->findText(QStringLiteral("cog")));
        emit profile->activated(profile->currentIndex());
        QVERIFY(nodata->isChecked());

        press(form, "btnRun");
        QVERIFY(wait_for_idle(form));
        QCOMPARE(log_lines(form).last(), QStringLiteral("Completed."));
        const geotiff_marks marks = marks_of(QDir(w.out).filePath(bt));
        QCOMPARE(marks.layout, QStringLiteral("COG"));
        QCOMPARE(marks.nodata, std::optional<double>(65535.0));

        // A tick taken off stays off for the next run of the same profile.
        nodata->setChecked(false);
        QFile::remove(QDir(w.out).filePath(bt));
        press(form, "btnRun");
        QVERIFY(wait_for_idle(form));
        QCOMPARE(marks_of(QDir(w.out).filePath(bt)).nodata, std::nullopt);
        QCOMPARE(marks_of(QDir(w.out).filePath(bt)).layout, QStringLiteral("COG"));
        form.close();

        MainForm again;
        QCOMPARE(control<QComboBox>(again, "combo_Profile")->currentText(), QStringLiteral("cog"));
        QVERIFY(!control<QCheckBox>(again, "cbox_NoData")->isChecked());
        again.close();
    }
}

} // namespace vardane

QTEST_MAIN(vardane::WindowPool)
#include "tst_window_pool.moc"
