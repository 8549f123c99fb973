#pragma once

// Helpers of the tests of the window's worker pool: the outcome panel, the
// failed lines of the log, and reading an output back.
#include <QTextBlock>

#include <gdal_priv.h>

#include "app/window/run_progress.h"
#include "gui_test_support.h"
#include "run_test_support.h"

namespace vardane {

namespace gui_test {

inline constexpr int kPoolRunTimeoutMs = 180000;

// What the progress panel says once a run is over.
inline QString outcome(MainForm& form) { return control<RunProgress>(form, "runProgress")->counts_text(); }

// A log line the window marked failed, with the cause and file of the
// failure event it received (MainForm::count_event).
struct failed_line {
    QString text;
    QString cause;
    QString file;
};

inline QList<failed_line> failed_lines(MainForm& form)
{
    QList<failed_line> lines;
    const auto* log = control<QPlainTextEdit>(form, "tbox_Infolog");
    for (QTextBlock b = log->document()->begin(); b.isValid(); b = b.next()) {
        if (b.begin().atEnd()) continue;
        const QStringList why = b.begin().fragment().charFormat().toolTip().split(u'\n');
        if (why.size() == 2) lines << failed_line{b.text(), why[0], why[1]};
    }
    return lines;
}

// Everything a reader of a raster output sees that a conversion decides:
// size, georeferencing and every sample of every band, read back with GDAL;
// empty when the file does not open.
inline QByteArray raster_contents(const QString& path)
{
    GDALAllRegister();
    const GDALDatasetUniquePtr ds(
        GDALDataset::Open(QFile::encodeName(path).constData(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!ds || ds->GetRasterCount() < 1) return {};
    QByteArray contents;
    double geotransform[6] = {};
    ds->GetGeoTransform(geotransform);
    contents.append(reinterpret_cast<const char*>(geotransform), sizeof geotransform);
    const int w = ds->GetRasterXSize();
    const int h = ds->GetRasterYSize();
    for (int b = 1; b <= ds->GetRasterCount(); ++b) {
        std::vector<double> samples(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
        if (ds->GetRasterBand(b)->RasterIO(GF_Read, 0, 0, w, h, samples.data(), w, h, GDT_Float64, 0, 0) != CE_None)
            return {};
        contents.append(reinterpret_cast<const char*>(samples.data()),
                        static_cast<qsizetype>(samples.size() * sizeof(double)));
    }
    return contents;
}

inline QStringList files_named(const QString& folder, const QString& pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

} // namespace gui_test

} // namespace vardane
