#include "app/window/main_form.h"

#include <array>

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QUrl>

#include "app/window/file_row.h"
#include "app/window/folder_box.h"
#include "app/window/folder_text.h"
#include "app/window/input_list.h"
#include "app/window/output_list.h"
#include "app/driver/run_driver.h"
#include "app/window/run_progress.h"
#include "app/window/window_texts.h"
#include "output/spout.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace {

std::string to_path(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool is_folder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

} // namespace

MainForm::MainForm(QWidget* parent)
    : QWidget(parent)
    , sink_(*this)
{
    build_controls();
    build_layout();
    SPCVT = std::make_unique<spconverter>();
    SPINFO = std::make_unique<spinfo>();
    SPOUT = std::make_unique<spout>();
    driver_ = std::make_unique<run_driver>(*SPINFO, *SPCVT, *SPOUT, sink_);
    driver_->Twait = 100;
    driver_->inputList.clear();
    driver_->FlagCancel = false;
    AtFirst = true;

    connect(btnInput, &QToolButton::clicked, this, &MainForm::btnInput_Click);
    connect(btnOutput, &QToolButton::clicked, this, &MainForm::btnOutput_Click);
    connect(tboxInput, &FolderBox::applyRequested, this, &MainForm::tboxInput_operation);
    connect(tboxOutput, &FolderBox::applyRequested, this, &MainForm::tboxOutput_operation);
    connect(dg_OutputList, &OutputList::rowDropped, this, &MainForm::dg_OutputList_DragDrop);
    connect(dg_OutputList, &OutputList::message, this, &MainForm::printLog);
    connect(btnRun, &QPushButton::clicked, this, &MainForm::btnRun_Click);
    connect(btnCancel, &QPushButton::clicked, this, &MainForm::btnCancel_Click);
    connect(btnClose, &QPushButton::clicked, this, &MainForm::btnClose_Click);
    connect(btnHelp, &QPushButton::clicked, this, &MainForm::btnHelp_Click);
    connect(btnOption, &QPushButton::clicked, this, &MainForm::btnOption_Click);

    MainForm_Load();
}

MainForm::~MainForm()
{
    // The worker uses the reader, settings and writer owned here: let it
    // stop at its next cancel check before they go.
    if (driver_ && driver_->running()) {
        driver_->FlagCancel = true;
        driver_->join();
    }
}

void MainForm::MainForm_Load()
{
    setWindowTitle(QString::fromLatin1(window_text::kTitle));
    cbox_GeoTiff->setChecked(true);
    inputFolder.clear();
    tboxInput->clear();

    SPCVT->loadSetting();

    printLog(QString::fromLatin1(window_text::kStartHint));
    AtFirst = true;

    StartupFolder = QDir::currentPath();
    WorkDir = QDir(StartupFolder).filePath(QString::fromLatin1(window_text::kWorkDirName));
    driver_->FlagCancel = false;
    btnInput->setFocus(Qt::OtherFocusReason);
}

bool MainForm::run_active() const { return driver_->running(); }

// ---- log box, output list, run mode -------------------------------------

void MainForm::printLog(const QString& text)
{
    if (AtFirst) {
        tbox_Infolog->clear();
        tbox_Infolog->repaint();
        AtFirst = false;
    }
    tbox_Infolog->appendPlainText(text);
    tbox_Infolog->verticalScrollBar()->setValue(tbox_Infolog->verticalScrollBar()->maximum());
}

void MainForm::printNewLog(const QString& text)
{
    AtFirst = true;
    printLog(text);
}

void MainForm::append_outputList(const QString& path) { dg_OutputList->append_file(path); }

void MainForm::ChangeRunMode(bool running)
{
    const std::array<QWidget*, 11> inputs{cbox_GeoTiff, cbox_KMZ,   cbox_Both,  cbox_NetCDF,   btnOption, btnInput,
                                          tboxInput,    dg_InputList, btnOutput, tboxOutput, dg_OutputList};
    for (QWidget* w : inputs) w->setEnabled(!running);
    btnRun->setEnabled(!running);
    if (!running) {
        // The worker posts this as its last act but one ("Completed."
        // follows): reap the thread so that a new run can start.
        if (driver_->running()) driver_->join();
        progress_->reset();
    }
}

void MainForm::show_progress(int done, int total, const QString& current)
{
    progress_->show_progress(done, total, current);
}

// ---- folders --------------------------------------------------------------

QString MainForm::choose_folder(const QString& description, const QString& start)
{
    QFileDialog dialog(this, description, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // Choosing, not making: no new-folder button.
    if (auto* newFolder = dialog.findChild<QToolButton*>(QStringLiteral("newFolderButton"))) newFolder->hide();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void MainForm::btnInput_Click()
{
    const QString chosen = choose_folder(QString::fromLatin1(window_text::kChooseInput), tboxInput->text());
    if (chosen.isEmpty()) return;
    // Remember it too, so that a wrong name typed later falls back to the
    // folder the list shows.
    inputFolder = chosen;
    tboxInput->setText(chosen);
    create_inputList(chosen);
}

void MainForm::btnOutput_Click()
{
    const QString chosen = choose_folder(QString::fromLatin1(window_text::kChooseOutput), tboxOutput->text());
    if (chosen.isEmpty()) return;
    tboxOutput->setText(chosen);
    if (is_folder(chosen)) {
        outputFolder = chosen;
        create_outputList(chosen);
    } else {
        tboxOutput->setText(outputFolder);
    }
}

void MainForm::tboxInput_operation(const QString& text)
{
    QString folder = clean_folder_text(text);
    if (is_folder(folder)) {
        // Stored absolute: runs change the current folder.
        inputFolder = QFileInfo(folder).absoluteFilePath();
        tboxInput->setText(inputFolder);
        dg_InputList->setRowCount(0);
        create_inputList(inputFolder);
        return;
    }
    if (folder.isEmpty()) {
        inputFolder.clear();
        dg_InputList->setRowCount(0);
    }
    tboxInput->setText(inputFolder);
}

void MainForm::tboxOutput_operation(const QString& text)
{
    QString folder = clean_folder_text(text);
    if (is_folder(folder)) {
        outputFolder = QFileInfo(folder).absoluteFilePath();
        tboxOutput->setText(outputFolder);
        dg_OutputList->setRowCount(0);
        create_outputList(outputFolder);
        return;
    }
    if (folder.isEmpty()) {
        outputFolder.clear();
        dg_OutputList->setRowCount(0);
    }
    tboxOutput->setText(outputFolder);
}

void MainForm::create_inputList(const QString& folder)
{
    if (!is_folder(folder)) return;
    dg_InputList->setRowCount(0);
    const QStringList files = files_in_folder(folder);
    if (files.isEmpty()) {
        printLog(QString::fromLatin1(window_text::kNoFilesInput));
        return;
    }
    dg_InputList->set_files(files);
}

void MainForm::create_outputList(const QString& folder)
{
    if (!is_folder(folder)) return;
    dg_OutputList->setRowCount(0);
    const QStringList files = files_in_folder(folder);
    if (files.isEmpty()) {
        printLog(QString::fromLatin1(window_text::kNoFilesOutput));
        return;
    }
    dg_OutputList->set_files(files);
}

// ---- runs -------------------------------------------------------------------

bool MainForm::RunAction(const QStringList& inputList)
{
    if (driver_->running()) return false;
    dg_OutputList->reset_colours();

    driver_->inputList.clear();
    for (const QString& path : inputList) driver_->inputList.push_back(to_path(path));
    driver_->outputFolder = to_path(outputFolder);
    driver_->WorkDir = to_path(WorkDir);

    output_switches switches;
    switches.geotiff = cbox_GeoTiff->isChecked();
    switches.kmz = cbox_KMZ->isChecked();
    switches.tiffText = cbox_Both->isChecked();
    switches.netcdf = cbox_NetCDF->isChecked();
    progress_->show_progress(0, static_cast<int>(inputList.size()), QString());
    const bool started = driver_->RunAction(switches);
    if (!started) progress_->reset();
    return started;
}

void MainForm::btnRun_Click()
{
    if (!is_folder(outputFolder)) {
        printLog(QString::fromLatin1(window_text::kOutputMissingOnRun));
        return;
    }
    QDir::setCurrent(outputFolder);
    QStringList inputList;
    QList<int> missing;
    for (int row = 0; row < dg_InputList->rowCount(); ++row) {
        if (!dg_InputList->is_checked(row)) continue;
        const QString path = dg_InputList->full_path(row);
        if (QFileInfo(path).isFile())
            inputList << path;
        else
            missing << row;
    }
    dg_InputList->remove_rows(missing);
    if (inputList.isEmpty()) {
        printLog(QString::fromLatin1(window_text::kNoInputSelected));
        return;
    }
    RunAction(inputList);
}

void MainForm::dg_OutputList_DragDrop(const QString& fullpath)
{
    if (!QFileInfo(fullpath).isFile()) return;
    if (!is_folder(outputFolder)) {
        printLog(QString::fromLatin1(window_text::kOutputMissingOnDrop));
        return;
    }
    QDir::setCurrent(outputFolder);
    RunAction({fullpath});
}

void MainForm::btnCancel_Click()
{
    if (!driver_->running()) return;
    driver_->FlagCancel = true;
    printLog(QString::fromLatin1(window_text::kCancelRequested));
}

void MainForm::btnClose_Click()
{
    driver_->FlagCancel = true;
    close();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    driver_->FlagCancel = true;
    event->accept();
}

void MainForm::btnHelp_Click()
{
    const QString help = QDir(StartupFolder).filePath(QString::fromLatin1(window_text::kHelpFile));
    if (QFileInfo(help).isFile()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(help));
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(window_text::kHelpMissingCaption),
                    QString::fromLatin1(window_text::kHelpMissing), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("helpMissingBox"));
    box.exec();
}

void MainForm::btnOption_Click()
{
    if (optionDialog_) optionDialog_(this, *SPCVT);
}
