// A conversion started from the window under a locale whose decimal mark is
// a comma (the toolkit takes it from LANG/LC_ALL) writes the same GeoTIFFs
// as the command line in the "C" locale.
#include <clocale>
#include <cstring>
#include <vector>

#include <QProcess>

#include <gdal_priv.h>

#include "gui_test_support.h"
#include "tests/support/comma_locale.h"
#include "synth_registry.h"

namespace vardane {

using namespace gui_test;
using test_support::comma_locale;

namespace {

const int kRunTimeoutMs = 120000;

void write_product(const QString& path, const char* kind)
{
    for (const synth_kind& k : all_synth_kinds()) {
        if (k.name == kind) {
            if (!k.write(QFile::encodeName(path).toStdString(), synth_options{})) qFatal("synthetic %s failed", kind);
            return;
        }
    }
    qFatal("no synthetic kind %s", kind);
}

QStringList geotiffs(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.tif")}, QDir::Files, QDir::Name);
}

// Every property a reader of the file sees: size, bands, type, geotransform,
// coordinate system, metadata, no-data value and every sample.
struct raster_contents {
    int width = 0, height = 0, bands = 0;
    std::vector<double> geotransform = std::vector<double>(6, 0.0);
    QByteArray crs;
    QStringList metadata;
    std::vector<GDALDataType> types;
    std::vector<double> noData;
    std::vector<QByteArray> samples;

    bool operator==(const raster_contents&) const = default;
};

raster_contents read_raster(const QString& path)
{
    GDALAllRegister();
    const GDALDatasetUniquePtr ds(
        GDALDataset::Open(QFile::encodeName(path).constData(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    raster_contents r;
    if (!ds) return r;
    r.width = ds->GetRasterXSize();
    r.height = ds->GetRasterYSize();
    r.bands = ds->GetRasterCount();
    ds->GetGeoTransform(r.geotransform.data());
    r.crs = ds->GetProjectionRef();
    for (char** item = ds->GetMetadata(); item && *item; ++item) r.metadata << QString::fromUtf8(*item);
    for (int b = 1; b <= r.bands; ++b) {
        GDALRasterBand* band = ds->GetRasterBand(b);
        const GDALDataType type = band->GetRasterDataType();
        r.types.push_back(type);
        r.noData.push_back(band->GetNoDataValue());
        QByteArray cells(qsizetype(r.width) * r.height * GDALGetDataTypeSizeBytes(type), '\0');
        if (band->RasterIO(GF_Read, 0, 0, r.width, r.height, cells.data(), r.width, r.height, type, 0, 0) != CE_None)
            cells.clear();
        r.samples.push_back(cells);
    }
    return r;
}

} // namespace

class MainFormCommaLocale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void swath_geotiffs_equal_those_of_the_c_locale();

private:
    // After the application object, which has already switched to the
    // locale of LC_ALL: the same locale when the test runs with it set.
    comma_locale locale_;
};

void MainFormCommaLocale::initTestCase() { QVERIFY2(locale_.active(), comma_locale::missing().c_str()); }

void MainFormCommaLocale::swath_geotiffs_equal_those_of_the_c_locale()
{
    window_setup w;
    MainForm& form = w.form;
    const QString product = QDir(w.in).filePath(QStringLiteral("GW1AM2_L1B.h5"));
    write_product(product, "AMSR2_L1B");

    // The reference: the command line with the same settings (the scratch
    // area's, through XDG_CONFIG_HOME) in the "C" locale.
    const QString reference = w.s.sub(QStringLiteral("reference"));
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(VARDANE_BUILD_DIR "/cli/vardane-cli"),
              {QStringLiteral("-q"), QStringLiteral("--geotiff"), QStringLiteral("-o"), reference, product});
    QVERIFY(cli.waitForFinished(kRunTimeoutMs));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());

    w.choose_folders();
    form.set_pace_ms(0); // the pauses between stages only show the user the progress
    QVERIFY(control<QCheckBox>(form, "cbox_GeoTiff")->isChecked());
    QVERIFY(!control<QCheckBox>(form, "cbox_KMZ")->isChecked());
    QCOMPARE(std::strcmp(std::localeconv()->decimal_point, ","), 0);
    QTest::mouseClick(control<QPushButton>(form, "btnRun"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor(
        [&] { return !form.run_active() && log_lines(form).contains(QStringLiteral("Completed.")); }, kRunTimeoutMs));
    // Still the user's locale: the run did not switch it away.
    QCOMPARE(std::strcmp(std::localeconv()->decimal_point, ","), 0);

    // Every channel of both bands of 89 GHz and the six lower frequencies.
    const QStringList names = geotiffs(reference);
    QCOMPARE(names.size(), 16);
    QCOMPARE(geotiffs(w.out), names);
    QStringList differing;
    for (const QString& name : names) {
        const raster_contents expected = read_raster(QDir(reference).filePath(name));
        QVERIFY2(expected.bands > 0 && !expected.samples.front().isEmpty(), qPrintable(name));
        if (!(read_raster(QDir(w.out).filePath(name)) == expected)) differing << name;
    }
    QVERIFY2(differing.isEmpty(), qPrintable(QStringLiteral("differ from the C locale's: ") + differing.join(u' ')));
}

} // namespace vardane

QTEST_MAIN(vardane::MainFormCommaLocale)
#include "tst_main_form_comma_locale.moc"
