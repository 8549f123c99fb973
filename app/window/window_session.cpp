#include "app/window/window_session.h"

#include <QSettings>
#include <QStandardPaths>

namespace vardane {

namespace {

// Looked up at every use, so that a changed $XDG_CONFIG_HOME is followed.
QString session_file()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/vardane/window.conf");
}

} // namespace

window_session load_window_session()
{
    const QSettings file(session_file(), QSettings::IniFormat);
    window_session s;
    s.inputFolder = file.value(QStringLiteral("folders/input")).toString();
    s.outputFolder = file.value(QStringLiteral("folders/output")).toString();
    s.geotiff = file.value(QStringLiteral("outputs/geotiff"), s.geotiff).toBool();
    s.kmz = file.value(QStringLiteral("outputs/kmz"), s.kmz).toBool();
    s.tiffText = file.value(QStringLiteral("outputs/tiff_text"), s.tiffText).toBool();
    s.netcdf = file.value(QStringLiteral("outputs/netcdf"), s.netcdf).toBool();
    s.geotiffProfile = file.value(QStringLiteral("geotiff/profile"), s.geotiffProfile).toString();
    s.polarGrid = file.value(QStringLiteral("geotiff/polar-grid"), s.polarGrid).toString();
    s.nodata = file.value(QStringLiteral("geotiff/nodata"), s.nodata).toBool();
    s.jobs = file.value(QStringLiteral("run/jobs"), s.jobs).toInt();
    s.geometry = file.value(QStringLiteral("window/geometry")).toByteArray();
    return s;
}

void save_window_session(const window_session& s)
{
    QSettings file(session_file(), QSettings::IniFormat);
    file.setValue(QStringLiteral("folders/input"), s.inputFolder);
    file.setValue(QStringLiteral("folders/output"), s.outputFolder);
    file.setValue(QStringLiteral("outputs/geotiff"), s.geotiff);
    file.setValue(QStringLiteral("outputs/kmz"), s.kmz);
    file.setValue(QStringLiteral("outputs/tiff_text"), s.tiffText);
    file.setValue(QStringLiteral("outputs/netcdf"), s.netcdf);
    file.setValue(QStringLiteral("geotiff/profile"), s.geotiffProfile);
    file.setValue(QStringLiteral("geotiff/polar-grid"), s.polarGrid);
    file.setValue(QStringLiteral("geotiff/nodata"), s.nodata);
    file.setValue(QStringLiteral("run/jobs"), s.jobs);
    file.setValue(QStringLiteral("window/geometry"), s.geometry);
}

} // namespace vardane
