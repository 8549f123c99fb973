#pragma once

#include <memory>

#include <QWidget>

#include "driver/run_tally.h"
#include "driver/run_event.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace vardane {

class FailuresList;
class FolderBox;
class FolderWatch;
class InputList;
class LogBox;
class OutputList;
class owned_work_folder;
class RunProgress;
class spconverter;
class window_batch;
struct batch_outcome;

// The program's one window: input folder and files, output folder and the
// files in it, the output kinds, the log box, and the buttons that start,
// cancel and close a run. Owns the settings; its runs convert in worker
// processes (window_batch), so that a file that crashes a library costs
// that file, not the window.
class MainForm : public QWidget {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // Run reporting, on the UI thread (the batch posts them).
    void printLog(const QString& text);
    void printNewLog(const QString& text);
    void append_outputList(const QString& path);
    void ChangeRunMode(bool running);
    void show_progress(int done, int total, const QString& current);
    // A fact of the running run, for its summary.
    void count_event(const run_event& event);
    // An output listed earlier in the run was removed again: its file was
    // not finished (its worker died, or a cancel cut it off).
    void output_discarded(const QString& path);
    // The batch has ended: its summary is shown and the window is idle.
    void run_ended(const batch_outcome& outcome);

    // Files and folders given to the program: a folder becomes the input
    // folder, files are added to the input list checked.
    void open_paths(const QStringList& paths);
    // Files and folders a second start handed over (absolute paths): added
    // as files dropped from outside are, unchecked but for the first row of
    // an empty list; a folder becomes the input folder. The window comes to
    // the front. (main_form_outcome.cpp)
    void add_forwarded_paths(const QStringList& paths);

    // Empties the failures list; called where a run starts (RunAction).
    void clear_failures();
    // Writes the log to a file; on failure a message box says why.
    bool save_log_to(const QString& path);

    QString get_outputFolder() const { return outputFolder; }
    // True from the start of a run until the window is back to idle.
    bool run_active() const { return runActive_; }
    // True once the running batch was asked to stop.
    bool cancel_requested() const;
    spconverter& settings() { return *SPCVT; }

    // Where runs put their intermediate files: a folder of this process in
    // the user's cache folder.
    QString work_dir() const { return WorkDir; }
    // Pause between pipeline stages of the next runs, in milliseconds.
    void set_pace_ms(std::int32_t ms) { paceMs_ = ms; }
    // The workers let the libraries' own messages through to standard
    // error (`vardane -v`).
    void set_verbose_workers(bool verbose) { verboseWorkers_ = verbose; }
    // The program the workers run (in its worker mode): this program, or
    // the one $VARDANE_WORKER_PROGRAM names (the window's tests, which are
    // programs of their own).
    QString worker_program() const;

    // The line below the window that says why something did not happen.
    QString status_text() const;

protected:
    // During a run, closing asks first; the session is remembered.
    void closeEvent(QCloseEvent* event) override;
    // Esc during a run asks whether to cancel it.
    void keyPressEvent(QKeyEvent* event) override;
    // Coming back to the window re-reads the lists from the disk.
    void changeEvent(QEvent* event) override;

private slots:
    void btnInput_Click();
    void btnOutput_Click();
    void tboxInput_operation(const QString& text);
    void tboxOutput_operation(const QString& text);
    void dg_OutputList_DragDrop(const QString& fullpath);
    void btnRun_Click();
    void btnCancel_Click();
    void btnClose_Click();
    void btnHelp_Click();
    void btnOption_Click();
    // Asks for a file name and saves the log there.
    void save_log();

private:
    void build_controls();
    void build_layout();
    void build_menu();         // main_form_menu.cpp
    void show_about();         // main_form_menu.cpp
    void restore_session();    // main_form_session.cpp
    void save_session() const; // main_form_session.cpp
    // A failure event of the run: a row in the failures list.
    void list_failure(const run_event& event); // main_form_outcome.cpp
    // The count of checked input files beside the run button.
    void show_ticked_count(); // main_form_outcome.cpp
    // True when the user agrees to cancel the running conversion.
    bool confirm_cancel();
    // A folder box's text as a folder: "~" expanded, made absolute; false
    // (box marked, reason in the status line) when it names no folder.
    bool accept_typed_folder(FolderBox* box, const QString& text, QString& folder);
    void show_status(const QString& text);
    void watch_folders();
    void refresh_lists();
    void MainForm_Load();
    void create_inputList(const QString& folder);
    void create_outputList(const QString& folder);
    QString choose_folder(const QString& description, const QString& start);
    // Start a run over inputList; false when none started.
    bool RunAction(const QStringList& inputList);
    // The current settings, written for the workers to load; empty when
    // they cannot be written (the workers then use the saved ones).
    std::string write_run_settings() const;
    // A typed folder made absolute against the start-up folder.
    QString from_startup(const QString& folder) const;

    // Controls.
    LogBox* tbox_Infolog = nullptr;
    QLabel* statusLine = nullptr;
    QMenuBar* menuBar_ = nullptr;
    FolderWatch* watch_ = nullptr;
    QLabel* lbl_Infolog = nullptr;
    QPushButton* btnRun = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnOption = nullptr;
    QSpinBox* spin_Jobs = nullptr;
    QGroupBox* grp_OutputFormat = nullptr;
    QCheckBox* cbox_GeoTiff = nullptr;
    QCheckBox* cbox_KMZ = nullptr;
    QCheckBox* cbox_Both = nullptr;
    QCheckBox* cbox_NetCDF = nullptr;
    QComboBox* combo_Profile = nullptr;   // GeoTIFF profile: plain, compressed, cog
    QComboBox* combo_PolarGrid = nullptr; // grid of polar GeoTIFFs from latitude/longitude grids
    QCheckBox* cbox_NoData = nullptr;
    QLabel* lbl_Input = nullptr;
    FolderBox* tboxInput = nullptr;
    QToolButton* btnInput = nullptr;
    QLabel* lblOutput = nullptr;
    FolderBox* tboxOutput = nullptr;
    QToolButton* btnOutput = nullptr;
    InputList* dg_InputList = nullptr;
    OutputList* dg_OutputList = nullptr;
    RunProgress* progress_ = nullptr;
    FailuresList* failures_ = nullptr;
    QPushButton* btnSaveLog = nullptr;
    QLabel* lbl_Ticked = nullptr;

    std::unique_ptr<spconverter> SPCVT;
    std::unique_ptr<window_batch> batch_;
    bool runActive_ = false;
    bool verboseWorkers_ = false;

    // The counts of the current or last run.
    run_tally tally_;
    QString inputFolder;
    QString outputFolder;
    QString StartupFolder;
    QString WorkDir;
    std::unique_ptr<owned_work_folder> workFolder_;
    bool AtFirst = true;
    // The window's runs show their steps at this pace.
    std::int32_t paceMs_ = 100;
};

} // namespace vardane
