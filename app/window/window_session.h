#pragma once

#include <QByteArray>
#include <QString>

namespace vardane {

// What the window remembers from one session to the next: the folders, the
// ticked output kinds, the number of jobs and its geometry. Kept in the user's config folder
// ($XDG_CONFIG_HOME/vardane/window.conf), apart from the conversion
// settings file.
struct window_session {
    QString inputFolder;
    QString outputFolder;
    bool geotiff = true;
    bool kmz = false;
    bool tiffText = false;
    bool netcdf = false;
    QString geotiffProfile = QStringLiteral("plain"); // as on the command line
    QString polarGrid = QStringLiteral("quick-look"); // as on the command line
    bool nodata = false;
    int jobs = 1; // files converted at once
    QByteArray geometry;
};

// The last saved session; the defaults when none was saved.
window_session load_window_session();
void save_window_session(const window_session& session);

} // namespace vardane
