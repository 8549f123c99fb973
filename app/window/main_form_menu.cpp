// The window's menu bar, its manual and its About box.
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>

#include "driver/library_versions.h"
#include "app/window/desktop_open.h"
#include "app/window/main_form.h"
#include "app/window/window_texts.h"
#include "util/program_dir.h"

namespace vardane {

namespace {

// The HTML manual: installed beside the program's data, or in the build
// tree one folder above the executable.
QString manual_file()
{
    const QString program = QString::fromStdString(getCurrentDir());
    for (const char* relative : {"/../share/doc/vardane/manual.html", "/../doc/manual.html"}) {
        const QFileInfo candidate(program + QLatin1String(relative));
        if (candidate.isFile()) return candidate.canonicalFilePath();
    }
    return {};
}

} // namespace

void MainForm::build_menu()
{
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("menuBar"));
    QMenu* file = menuBar_->addMenu(tr("&File"));
    QAction* saveLog = file->addAction(tr("&Save Log\u2026"), this, &MainForm::save_log);
    saveLog->setShortcut(QKeySequence::Save);
    file->addSeparator();
    QAction* exit = file->addAction(tr("E&xit"), this, &MainForm::close);
    exit->setShortcut(QKeySequence::Quit);
    QMenu* help = menuBar_->addMenu(tr("&Help"));
    QAction* manual = help->addAction(tr("&Manual"), this, &MainForm::btnHelp_Click);
    manual->setShortcut(QKeySequence::HelpContents);
    help->addAction(tr("&About Vardane"), this, &MainForm::show_about);
}

void MainForm::btnHelp_Click()
{
    if (const QString manual = manual_file(); !manual.isEmpty()) {
        open_with_desktop(this, manual, tr("the manual"));
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(window_text::kHelpMissingCaption),
                    QString::fromLatin1(window_text::kHelpMissing), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("helpMissingBox"));
    box.exec();
}

void MainForm::show_about()
{
    QString libraries;
    for (const auto& [name, version] : library_versions())
        libraries += QStringLiteral("<br>%1 %2").arg(QString::fromStdString(name), QString::fromStdString(version));
    libraries += QStringLiteral("<br>Qt %1").arg(QString::fromLatin1(qVersion()));
    QMessageBox box(QMessageBox::Information, tr("About Vardane"),
                    tr("<b>Vardane %1</b><p>Converts Earth-observation satellite products to GeoTIFF, KMZ, "
                       "TIFF with position text and netCDF.</p><p>Running with:%2</p>")
                        .arg(QString::fromLatin1(VARDANE_VERSION), libraries),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setIconPixmap(windowIcon().pixmap(64, 64));
    box.exec();
}

} // namespace vardane
