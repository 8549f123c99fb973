// What the window shows of a run's outcome and of what the next run will
// convert: the failures list, saving the log, the count of checked files,
// and files handed over by a second start.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/window/failures_list.h"
#include "app/window/input_list.h"
#include "app/window/log_box.h"
#include "app/window/main_form.h"
#include "app/window/window_texts.h"

namespace vardane {

namespace {

QString ticked_text(int ticked, int rows)
{
    if (rows == 0) return MainForm::tr("No input files");
    if (ticked == 0) return MainForm::tr("No file ticked");
    if (ticked == 1) return MainForm::tr("1 file ticked");
    return MainForm::tr("%1 files ticked").arg(ticked);
}

} // namespace

void MainForm::list_failure(const run_event& event)
{
    // The file concerned; the input itself when the failure names none.
    QString file = QString::fromStdString(event.why.file);
    if (file.isEmpty()) file = QString::fromStdString(event.path);
    failures_->add_failure(file, tbox_Infolog->last_line(), tbox_Infolog->last_line_number(),
                           QString::fromStdString(event.why.cause));
}

void MainForm::clear_failures() { failures_->clear_failures(); }

void MainForm::save_log()
{
    const QString folder = QFileInfo(outputFolder).isDir() ? outputFolder : QDir::homePath();
    QFileDialog dialog(this, QString::fromLatin1(window_text::kSaveLogTitle),
                       QDir(folder).filePath(QString::fromLatin1(window_text::kSaveLogName)),
                       tr("Text files (*.txt);;All files (*)"));
    dialog.setObjectName(QStringLiteral("saveLogDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    save_log_to(dialog.selectedFiles().constFirst());
}

bool MainForm::save_log_to(const QString& path)
{
    const QString why = tbox_Infolog->save_to(path);
    if (why.isEmpty()) {
        show_status(tr("Log saved to %1").arg(path));
        return true;
    }
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    QString::fromLatin1(window_text::kSaveLogFailed).arg(path, why), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("saveLogFailedBox"));
    box.exec();
    return false;
}

void MainForm::show_ticked_count()
{
    const QString text = ticked_text(dg_InputList->checked_count(), dg_InputList->rowCount());
    lbl_Ticked->setText(text);
    btnRun->setAccessibleDescription(text);
}

void MainForm::add_forwarded_paths(const QStringList& paths)
{
    QStringList added;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            tboxInput_operation(path);
            added << path;
        } else if (!info.isFile()) {
            show_status(tr("No such file or folder: %1").arg(path));
        } else if (!dg_InputList->contains_path(path)) {
            // As a drop from outside: the list's first row is checked,
            // later ones are not.
            dg_InputList->add_file(path, dg_InputList->rowCount() == 0);
            added << info.fileName();
        }
    }
    dg_InputList->sync_selection();
    if (!added.isEmpty())
        show_status(tr("Added from another start of Vardane: %1").arg(added.join(QStringLiteral(", "))));
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

} // namespace vardane
