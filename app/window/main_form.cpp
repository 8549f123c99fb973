#include "app/window/main_form.h"

#include <array>
#include <fstream>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "app/window/app_icon.h"
#include "app/window/failures_list.h"
#include "app/window/file_row.h"
#include "app/window/folder_box.h"
#include "app/window/folder_text.h"
#include "app/window/folder_watch.h"
#include "app/window/input_list.h"
#include "app/window/log_box.h"
#include "app/window/options/option_form.h"
#include "app/window/output_list.h"
#include "app/window/run_progress.h"
#include "app/window/window_batch.h"
#include "app/window/window_texts.h"
#include "batch/worker_main.h"
#include "driver/working_folder.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

std::string to_path(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool is_folder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

} // namespace

MainForm::MainForm(QWidget* parent) : QWidget(parent)
{
    build_controls();
    build_layout();
    SPCVT = std::make_unique<spconverter>();
    batch_ = std::make_unique<window_batch>(*this);
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
    connect(btnSaveLog, &QPushButton::clicked, this, &MainForm::save_log);
    connect(failures_, &FailuresList::lineRequested, tbox_Infolog, &LogBox::show_line);
    connect(dg_InputList, &InputList::ticksChanged, this, &MainForm::show_ticked_count);
    watch_ = new FolderWatch(this);
    connect(watch_, &FolderWatch::changed, this, &MainForm::refresh_lists);

    MainForm_Load();
}

MainForm::~MainForm()
{
    // The batch posts to this window: its workers stop at their next cancel
    // check (or are killed) and its thread ends before the window goes.
    batch_.reset();
    // workFolder_ removes the window's folder when it goes.
}

void MainForm::MainForm_Load()
{
    setWindowTitle(QString::fromLatin1(window_text::kTitle));
    setWindowIcon(app_icon());
    cbox_GeoTiff->setChecked(true);
    inputFolder.clear();
    tboxInput->clear();

    SPCVT->loadSetting();

    printLog(QString::fromLatin1(window_text::kStartHint));
    for (const auto& warning : SPCVT->load_warnings()) printLog(QString::fromStdString(warning));
    AtFirst = true;

    StartupFolder = QDir::currentPath();
    // Each window works in a folder of its own, named after its process, so
    // two windows never empty each other's files; those left by windows
    // that were killed are removed here.
    const std::filesystem::path workParent = user_work_parent();
    std::error_code ec;
    std::filesystem::create_directories(workParent, ec);
    sweep_stale_work_folders(workParent, window_text::kWorkDirPrefix);
    workFolder_ = std::make_unique<owned_work_folder>(workParent, window_text::kWorkDirPrefix);
    WorkDir = QString::fromStdString(workFolder_->path().string());
    restore_session();
    btnInput->setFocus(Qt::OtherFocusReason);
}

bool MainForm::cancel_requested() const { return batch_->cancel_requested(); }

QString MainForm::worker_program() const
{
    const QString given = qEnvironmentVariable("VARDANE_WORKER_PROGRAM");
    return given.isEmpty() ? QCoreApplication::applicationFilePath() : given;
}

// ---- log box, output list, run mode -------------------------------------

void MainForm::printLog(const QString& text)
{
    if (AtFirst) {
        tbox_Infolog->clear();
        tbox_Infolog->repaint();
        AtFirst = false;
    }
    tbox_Infolog->append_line(text);
}

void MainForm::printNewLog(const QString& text)
{
    AtFirst = true;
    printLog(text);
}

void MainForm::append_outputList(const QString& path) { dg_OutputList->append_file(path); }

void MainForm::ChangeRunMode(bool running)
{
    const std::array<QWidget*, 14> inputs{cbox_GeoTiff,    cbox_KMZ,    cbox_Both,  cbox_NetCDF,  combo_Profile,
                                          combo_PolarGrid, cbox_NoData, btnOption,  btnInput,     tboxInput,
                                          dg_InputList,    btnOutput,   tboxOutput, dg_OutputList};
    for (QWidget* w : inputs) w->setEnabled(!running);
    btnRun->setEnabled(!running);
    spin_Jobs->setEnabled(!running);
    if (!running) {
        // The outcome stays in view until the next run starts.
        progress_->show_summary(tally_);
        refresh_lists();
    }
}

void MainForm::run_ended(const batch_outcome& outcome)
{
    // Posted last: every line and event of the batch is in.
    batch_->join();
    runActive_ = false;
    // A cancelled batch counts the files it got to, not those ticked.
    if (outcome.cancelled) tally_.files = outcome.filesBegun;
    tally_.completed = outcome.completed;
    tally_.cancelled = tally_.cancelled || outcome.cancelled;
    ChangeRunMode(false);
}

void MainForm::output_discarded(const QString& path)
{
    --tally_.outputs;
    const int row = dg_OutputList->row_of(path);
    if (row >= 0) dg_OutputList->removeRow(row);
}

void MainForm::count_event(const run_event& event)
{
    tally_.count(event);
    if (event.type == run_event_type::failure) {
        tbox_Infolog->mark_last_line_failed(QString::fromStdString(event.why.cause),
                                            QString::fromStdString(event.why.file));
        list_failure(event);
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
    tboxInput->set_problem({});
    create_inputList(chosen);
    watch_folders();
}

void MainForm::btnOutput_Click()
{
    const QString chosen = choose_folder(QString::fromLatin1(window_text::kChooseOutput), tboxOutput->text());
    if (chosen.isEmpty()) return;
    tboxOutput->setText(chosen);
    if (is_folder(chosen)) {
        outputFolder = chosen;
        tboxOutput->set_problem({});
        create_outputList(chosen);
        watch_folders();
    } else {
        tboxOutput->setText(outputFolder);
    }
}

bool MainForm::accept_typed_folder(FolderBox* box, const QString& text, QString& folder)
{
    folder = from_startup(expand_home(clean_folder_text(text)));
    if (!folder.isEmpty() && !is_folder(folder)) {
        // The typed text stays, so that a slip can be mended in place.
        const QString why = tr("No such folder: %1").arg(folder);
        box->set_problem(why);
        show_status(why);
        return false;
    }
    box->set_problem({});
    box->setText(folder);
    show_status({});
    return true;
}

void MainForm::tboxInput_operation(const QString& text)
{
    QString folder;
    if (!accept_typed_folder(tboxInput, text, folder)) return;
    inputFolder = folder;
    dg_InputList->setRowCount(0);
    create_inputList(inputFolder);
    watch_folders();
}

void MainForm::tboxOutput_operation(const QString& text)
{
    QString folder;
    if (!accept_typed_folder(tboxOutput, text, folder)) return;
    outputFolder = folder;
    dg_OutputList->setRowCount(0);
    create_outputList(outputFolder);
    watch_folders();
}

void MainForm::open_paths(const QStringList& paths)
{
    for (const QString& given : paths) {
        const QString path = from_startup(given);
        if (is_folder(path)) {
            tboxInput_operation(path);
        } else if (QFileInfo(path).isFile()) {
            if (!dg_InputList->contains_path(path)) dg_InputList->add_file(path, true);
        } else {
            show_status(tr("No such file or folder: %1").arg(path));
        }
    }
    dg_InputList->sync_selection();
}

void MainForm::show_status(const QString& text) { statusLine->setText(text); }

QString MainForm::status_text() const { return statusLine->text(); }

void MainForm::watch_folders() { watch_->watch({inputFolder, outputFolder}); }

void MainForm::refresh_lists()
{
    if (is_folder(inputFolder)) dg_InputList->refresh(files_in_folder(inputFolder));
    if (is_folder(outputFolder)) dg_OutputList->refresh(files_in_folder(outputFolder));
}

QString MainForm::from_startup(const QString& folder) const
{
    // A relative folder means one in the folder the program started in,
    // whatever runs have happened since.
    if (folder.isEmpty()) return folder;
    return QDir::cleanPath(QDir(StartupFolder).absoluteFilePath(folder));
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

std::string MainForm::write_run_settings() const
{
    // Hidden: a file of the window's, not of a run.
    const std::string path = to_path(QDir(WorkDir).filePath(QStringLiteral(".run-settings")));
    std::ofstream file(path, std::ios::trunc);
    SPCVT->write_settings(file);
    file.close();
    return file ? path : std::string();
}

bool MainForm::RunAction(const QStringList& inputList)
{
    if (runActive_) return false;
    dg_OutputList->reset_colours();

    batch_options options;
    std::vector<std::string> files;
    for (const QString& path : inputList) files.push_back(to_path(from_startup(path)));
    options.output = to_path(outputFolder);
    options.kinds.geotiff = cbox_GeoTiff->isChecked();
    options.kinds.kmz = cbox_KMZ->isChecked();
    options.kinds.tiffText = cbox_Both->isChecked();
    options.kinds.netcdf = cbox_NetCDF->isChecked();
    options.geotiff.profile = geotiff_profile(combo_Profile->currentData().toInt());
    options.geotiff.nodata = cbox_NoData->isChecked();
    options.geotiff.polarGrid = polar_grid(combo_PolarGrid->currentData().toInt());
    options.jobs = spin_Jobs->value();
    options.paceMs = paceMs_;
    options.verbose = verboseWorkers_;
    // The workers convert with the settings as the Option dialog left
    // them, saved or not.
    options.settingsFile = write_run_settings();
    // The log is cleared when the run starts: the status line tells it.
    if (options.settingsFile.empty())
        show_status(tr("The options could not be handed to the run (%1 cannot be written): the saved options are used.")
                        .arg(WorkDir));
    // Working folders that workers of a window or a batch killed earlier left
    // in this output folder; live ones are locked by their owners and stay.
    sweep_stale_work_folders(options.output, kWorkFolderPrefix);
    tally_ = run_tally{};
    clear_failures();
    tally_.files = static_cast<int>(inputList.size());
    progress_->show_progress(0, tally_.files, QString());
    runActive_ = true;
    ChangeRunMode(true);
    batch_->start(options, to_path(worker_program()), std::move(files));
    return true;
}

void MainForm::btnRun_Click()
{
    // A marked box names a folder that does not exist, whatever folder the
    // list still shows.
    if (!is_folder(outputFolder) || tboxOutput->has_problem()) {
        printLog(QString::fromLatin1(window_text::kOutputMissingOnRun));
        return;
    }
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
    if (!is_folder(outputFolder) || tboxOutput->has_problem()) {
        printLog(QString::fromLatin1(window_text::kOutputMissingOnDrop));
        return;
    }
    RunAction({fullpath});
}

void MainForm::btnCancel_Click()
{
    if (!runActive_ || batch_->cancel_requested()) return;
    batch_->cancel();
    printLog(QString::fromLatin1(window_text::kCancelRequested));
}

void MainForm::btnClose_Click() { close(); }

bool MainForm::confirm_cancel()
{
    QMessageBox box(QMessageBox::Question, windowTitle(), tr("Cancel the running conversion?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("cancelRunQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (run_active() && !confirm_cancel()) {
        event->ignore();
        return;
    }
    // The workers stop at their next cancel check; the window waits for
    // them as it goes.
    batch_->cancel();
    save_session();
    event->accept();
}

void MainForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && run_active()) {
        if (confirm_cancel() && run_active()) btnCancel_Click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !run_active()) refresh_lists();
    QWidget::changeEvent(event);
}

void MainForm::btnOption_Click()
{
    // The run uses the settings as they are when it starts; they are not
    // edited under it.
    if (run_active()) return;
    OptionForm form(*SPCVT, this);
    form.ShowDialog();
}

} // namespace vardane
