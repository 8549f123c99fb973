// What the window keeps from one session to the next.
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QSpinBox>

#include "app/window/folder_box.h"
#include "app/window/main_form.h"
#include "app/window/window_session.h"

namespace vardane {

void MainForm::restore_session()
{
    const window_session s = load_window_session();
    cbox_GeoTiff->setChecked(s.geotiff);
    cbox_KMZ->setChecked(s.kmz);
    cbox_Both->setChecked(s.tiffText);
    cbox_NetCDF->setChecked(s.netcdf);
    // An unknown profile name (a later version's) leaves the plain one.
    if (const int at = combo_Profile->findText(s.geotiffProfile); at >= 0) combo_Profile->setCurrentIndex(at);
    if (const int at = combo_PolarGrid->findText(s.polarGrid); at >= 0) combo_PolarGrid->setCurrentIndex(at);
    cbox_NoData->setChecked(s.nodata);
    // Clamped to this machine's processors.
    spin_Jobs->setValue(s.jobs);
    if (!s.geometry.isEmpty()) restoreGeometry(s.geometry);
    // Folders that have gone since are left out silently.
    if (QFileInfo(s.inputFolder).isDir()) tboxInput_operation(s.inputFolder);
    if (QFileInfo(s.outputFolder).isDir()) tboxOutput_operation(s.outputFolder);
}

void MainForm::save_session() const
{
    window_session s;
    s.inputFolder = inputFolder;
    s.outputFolder = outputFolder;
    s.geotiff = cbox_GeoTiff->isChecked();
    s.kmz = cbox_KMZ->isChecked();
    s.tiffText = cbox_Both->isChecked();
    s.netcdf = cbox_NetCDF->isChecked();
    s.geotiffProfile = combo_Profile->currentText();
    s.polarGrid = combo_PolarGrid->currentText();
    s.nodata = cbox_NoData->isChecked();
    s.jobs = spin_Jobs->value();
    s.geometry = saveGeometry();
    save_window_session(s);
}

} // namespace vardane
