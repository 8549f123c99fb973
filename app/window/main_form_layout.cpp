// Controls and layout of the main window.
#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/window/failures_list.h"
#include "app/window/folder_box.h"
#include "app/window/input_list.h"
#include "app/window/log_box.h"
#include "app/window/main_form.h"
#include "app/window/output_list.h"
#include "app/window/run_progress.h"
#include "output/geotiff_style.h"

namespace vardane {

namespace {

template <typename W, typename... Args>
W* named(const char* name, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QToolButton* folder_button(const char* name, QWidget* parent, const QString& tip)
{
    auto* b = named<QToolButton>(name, parent);
    b->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
    b->setToolTip(tip);
    b->setAutoRaise(false);
    return b;
}

// A caption, a folder box with its chooser button, and the list below them.
QWidget* folder_pane(QWidget* parent, QLabel* caption, QWidget* box, QWidget* button, QWidget* list)
{
    auto* pane = new QWidget(parent);
    auto* layout = new QGridLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption, 0, 0);
    layout->addWidget(box, 0, 1);
    layout->addWidget(button, 0, 2);
    layout->addWidget(list, 1, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    caption->setBuddy(box);
    return pane;
}

} // namespace

void MainForm::build_controls()
{
    tbox_Infolog = named<LogBox>("tbox_Infolog", this);
    tbox_Infolog->setAccessibleName(QStringLiteral("Information"));
    tbox_Infolog->setToolTip(tr("What the runs did, line by line; failures in red"));
    lbl_Infolog = named<QLabel>("lbl_Infolog", QStringLiteral("Information"), this);
    lbl_Infolog->setBuddy(tbox_Infolog);
    statusLine = named<QLabel>("statusLine", this);

    // The texts with a mnemonic: Alt and the underlined letter press them.
    btnRun = named<QPushButton>("btnRun", QStringLiteral("&Exec"), this);
    btnCancel = named<QPushButton>("btnCancel", QStringLiteral("&Cancel"), this);
    btnClose = named<QPushButton>("btnClose", QStringLiteral("C&lose"), this);
    btnHelp = named<QPushButton>("btnHelp", QStringLiteral("&Help"), this);
    btnOption = named<QPushButton>("btnOption", QStringLiteral("&Option"), this);
    btnRun->setDefault(false);
    btnRun->setAutoDefault(false);
    btnRun->setToolTip(tr("Convert the checked input files into the output folder"));
    btnCancel->setToolTip(tr("Stop the run now: the files being converted are abandoned and their outputs "
                             "removed; files already finished keep theirs"));
    btnClose->setToolTip(tr("Close the window"));
    btnHelp->setToolTip(tr("Open the manual"));
    btnOption->setToolTip(tr("Choose the variables, output names, projections and colour bars"));
    spin_Jobs = named<QSpinBox>("spin_Jobs", this);
    spin_Jobs->setRange(1, std::max(1, QThread::idealThreadCount()));
    spin_Jobs->setToolTip(tr("How many files are converted at once, each in a process of its own"));

    grp_OutputFormat = named<QGroupBox>("grp_OutputFormat", QStringLiteral("Output Format"), this);
    cbox_GeoTiff = named<QCheckBox>("cbox_GeoTiff", QStringLiteral("GeoTIFF"), grp_OutputFormat);
    cbox_KMZ = named<QCheckBox>("cbox_KMZ", QStringLiteral("KMZ"), grp_OutputFormat);
    cbox_Both = named<QCheckBox>("cbox_Both", QStringLiteral("TIFF+TEXT"), grp_OutputFormat);
    cbox_NetCDF = named<QCheckBox>("cbox_NetCDF", QStringLiteral("NetCDF"), grp_OutputFormat);
    cbox_GeoTiff->setToolTip(tr("Georeferenced TIFF images"));
    cbox_KMZ->setToolTip(tr("Overlays with a colour bar for a virtual globe"));
    cbox_Both->setToolTip(tr("Plain TIFF images with a text file of their positions"));
    cbox_NetCDF->setToolTip(tr("CF-style netCDF files"));
    combo_Profile = named<QComboBox>("combo_Profile", grp_OutputFormat);
    for (const geotiff_profile p : {geotiff_profile::plain, geotiff_profile::compressed, geotiff_profile::cog}) {
        const std::string_view name = geotiff_profile_name(p);
        combo_Profile->addItem(QString::fromLatin1(name.data(), qsizetype(name.size())), int(p));
    }
    combo_Profile->setToolTip(tr("Layout of the GeoTIFFs: plain strips, compressed tiles, or Cloud-Optimized "
                                 "GeoTIFF with overviews"));
    combo_PolarGrid = named<QComboBox>("combo_PolarGrid", grp_OutputFormat);
    for (const polar_grid g : kPolarGrids) {
        const std::string_view name = polar_grid_name(g);
        combo_PolarGrid->addItem(QString::fromLatin1(name.data(), qsizetype(name.size())), int(g));
    }
    combo_PolarGrid->setToolTip(tr("Grid of the polar-stereographic GeoTIFFs made from latitude/longitude grids: "
                                   "the quick look, the grid's own resolution, the NSIDC sea-ice grids or "
                                   "EASE-Grid 2.0"));
    cbox_NoData = named<QCheckBox>("cbox_NoData", QStringLiteral("NoData"), grp_OutputFormat);
    cbox_NoData->setToolTip(tr("Record the value meaning \"no data\" in each GeoTIFF"));
    // A newly chosen profile brings its usual NoData choice, which the tick
    // box may then change.
    connect(combo_Profile, &QComboBox::activated, this, [this] {
        cbox_NoData->setChecked(nodata_by_default(geotiff_profile(combo_Profile->currentData().toInt())));
    });

    lbl_Input = named<QLabel>("lbl_Input", QStringLiteral("Input"), this);
    tboxInput = named<FolderBox>("tboxInput", this);
    btnInput = folder_button("btnInput", this, tr("Choose the folder of the product files"));
    lblOutput = named<QLabel>("lblOutput", QStringLiteral("Output"), this);
    tboxOutput = named<FolderBox>("tboxOutput", this);
    btnOutput = folder_button("btnOutput", this, tr("Choose the folder for the output files"));

    tboxInput->setToolTip(tr("Folder of the product files; Enter applies a typed folder"));
    tboxOutput->setToolTip(tr("Folder the output files are written to; Enter applies a typed folder"));
    dg_InputList = named<InputList>("dg_InputList", this);
    dg_OutputList = named<OutputList>("dg_OutputList", this);
    dg_InputList->setToolTip(tr("Click to check a file, Ctrl-click to add, Shift-click for a range; "
                                "drag a row to the output list to convert it alone"));
    dg_OutputList->setToolTip(tr("Double-click to open; F2 renames; right-click for more"));
    progress_ = new RunProgress(this);
    failures_ = new FailuresList(this);
    btnSaveLog = named<QPushButton>("btnSaveLog", QStringLiteral("&Save log\u2026"), this);
    btnSaveLog->setAutoDefault(false);
    btnSaveLog->setToolTip(tr("Save the log's lines to a text file"));
    // What the run button will convert, before it is pressed.
    lbl_Ticked = named<QLabel>("lbl_Ticked", this);
    lbl_Ticked->setWordWrap(true);
    lbl_Ticked->setToolTip(tr("The checked input files are those Exec converts"));
    show_ticked_count();
}

void MainForm::build_layout()
{
    auto* lists = new QSplitter(Qt::Horizontal, this);
    lists->setObjectName(QStringLiteral("listSplitter"));
    lists->addWidget(folder_pane(lists, lbl_Input, tboxInput, btnInput, dg_InputList));
    lists->addWidget(folder_pane(lists, lblOutput, tboxOutput, btnOutput, dg_OutputList));
    lists->setChildrenCollapsible(false);

    // Output kinds, options and run control in one column on the right.
    auto* kinds = new QVBoxLayout(grp_OutputFormat);
    for (QCheckBox* box : {cbox_GeoTiff, cbox_KMZ, cbox_Both, cbox_NetCDF}) kinds->addWidget(box);
    // The two GeoTIFF choices carry a word each: "quick-look" alone says
    // nothing of what it chooses.
    auto* geotiffChoices = new QFormLayout;
    geotiffChoices->setContentsMargins(0, 0, 0, 0);
    geotiffChoices->addRow(tr("Layout"), combo_Profile);
    geotiffChoices->addRow(tr("Polar"), combo_PolarGrid);
    kinds->addLayout(geotiffChoices);
    kinds->addWidget(cbox_NoData);
    auto* controls = new QVBoxLayout;
    controls->addWidget(grp_OutputFormat);
    controls->addWidget(btnOption);
    controls->addStretch(1);
    auto* jobs = new QHBoxLayout;
    auto* jobsLabel = named<QLabel>("lbl_Jobs", tr("&Jobs"), this);
    jobsLabel->setBuddy(spin_Jobs);
    jobs->addWidget(jobsLabel);
    jobs->addWidget(spin_Jobs, 1);
    controls->addLayout(jobs);
    controls->addWidget(btnRun);
    controls->addWidget(lbl_Ticked);
    for (QPushButton* b : {btnCancel, btnHelp, btnClose}) controls->addWidget(b);

    auto* logPane = new QWidget(this);
    auto* logLayout = new QGridLayout(logPane);
    logLayout->setContentsMargins(0, 0, 0, 0);
    logLayout->addWidget(lbl_Infolog, 0, 0);
    logLayout->addWidget(tbox_Infolog, 1, 0);
    logLayout->addWidget(btnSaveLog, 0, 1);
    logLayout->addWidget(progress_, 1, 1);
    // Under the summary, as wide as the log: the failures of the last run.
    logLayout->addWidget(failures_, 2, 0, 1, 2);
    logLayout->addLayout(controls, 0, 2, 3, 1);
    logLayout->setRowStretch(1, 3);
    logLayout->setRowStretch(2, 1);
    logLayout->setColumnStretch(0, 1);
    // Wide enough for its outcome and counts, the rest is the log's.
    const int outcomeWidth = progress_->fontMetrics().horizontalAdvance(QStringLiteral("Finished with 0000 failures"));
    progress_->setFixedWidth(outcomeWidth + 16);
    grp_OutputFormat->setMinimumWidth(150);

    auto* rows = new QSplitter(Qt::Vertical, this);
    rows->setObjectName(QStringLiteral("logSplitter"));
    rows->addWidget(lists);
    rows->addWidget(logPane);
    rows->setStretchFactor(0, 3);
    rows->setStretchFactor(1, 2);
    rows->setChildrenCollapsible(false);

    // On a small or strongly scaled screen the window may be smaller than
    // its controls need: they scroll rather than being cut off.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("contentScroller"));
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(rows);
    rows->setMinimumSize(760, 480);

    build_menu();
    auto* top = new QVBoxLayout(this);
    top->setMenuBar(menuBar_);
    top->addWidget(scroller);
    top->addWidget(statusLine);

    // Tab follows the screen: the folders and lists from left to right,
    // then the log with its Save button and the failures list, the output
    // kinds, the number of jobs and the buttons from top to bottom.
    QWidget* const chain[] = {tboxInput,    btnInput,      dg_InputList,    tboxOutput,   btnOutput, dg_OutputList,
                              tbox_Infolog, btnSaveLog,    failures_,       cbox_GeoTiff, cbox_KMZ,  cbox_Both,
                              cbox_NetCDF,  combo_Profile, combo_PolarGrid, cbox_NoData,  btnOption, spin_Jobs,
                              btnRun,       btnCancel,     btnHelp,         btnClose};
    for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);

    // Roomy, yet with its frame never larger than the screen it opens on
    // (the frame is known only once shown; this allows for a usual one).
    constexpr QSize kFrameAllowance(16, 48);
    QSize start(1200, 760);
    QSize smallest(800, 520);
    if (const QScreen* sc = screen()) {
        const QSize room = sc->availableSize() - kFrameAllowance;
        start = start.boundedTo(room);
        smallest = smallest.boundedTo(room);
    }
    setMinimumSize(smallest);
    resize(start);
}

} // namespace vardane
