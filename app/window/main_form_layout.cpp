// Controls and layout of the main window.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/window/folder_box.h"
#include "app/window/input_list.h"
#include "app/window/main_form.h"
#include "app/window/output_list.h"
#include "app/window/run_progress.h"

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
    tbox_Infolog = named<QPlainTextEdit>("tbox_Infolog", this);
    tbox_Infolog->setReadOnly(true);
    tbox_Infolog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tbox_Infolog->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tbox_Infolog->setLineWrapMode(QPlainTextEdit::NoWrap);
    lbl_Infolog = named<QLabel>("lbl_Infolog", QStringLiteral("Information"), this);

    btnRun = named<QPushButton>("btnRun", QStringLiteral("Exec"), this);
    btnCancel = named<QPushButton>("btnCancel", QStringLiteral("Cancel"), this);
    btnClose = named<QPushButton>("btnClose", QStringLiteral("Close"), this);
    btnHelp = named<QPushButton>("btnHelp", QStringLiteral("Help"), this);
    btnOption = named<QPushButton>("btnOption", QStringLiteral("Option"), this);
    btnRun->setDefault(false);
    btnRun->setAutoDefault(false);

    grp_OutputFormat = named<QGroupBox>("grp_OutputFormat", QStringLiteral("Output Format"), this);
    cbox_GeoTiff = named<QCheckBox>("cbox_GeoTiff", QStringLiteral("GeoTIFF"), grp_OutputFormat);
    cbox_KMZ = named<QCheckBox>("cbox_KMZ", QStringLiteral("KMZ"), grp_OutputFormat);
    cbox_Both = named<QCheckBox>("cbox_Both", QStringLiteral("TIFF+TEXT"), grp_OutputFormat);
    cbox_NetCDF = named<QCheckBox>("cbox_NetCDF", QStringLiteral("NetCDF"), grp_OutputFormat);

    lbl_Input = named<QLabel>("lbl_Input", QStringLiteral("Input"), this);
    tboxInput = named<FolderBox>("tboxInput", this);
    btnInput = folder_button("btnInput", this, tr("Choose the folder of the product files"));
    lblOutput = named<QLabel>("lblOutput", QStringLiteral("Output"), this);
    tboxOutput = named<FolderBox>("tboxOutput", this);
    btnOutput = folder_button("btnOutput", this, tr("Choose the folder for the output files"));

    dg_InputList = named<InputList>("dg_InputList", this);
    dg_OutputList = named<OutputList>("dg_OutputList", this);
    progress_ = new RunProgress(this);
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
    auto* controls = new QVBoxLayout;
    controls->addWidget(grp_OutputFormat);
    controls->addWidget(btnOption);
    controls->addStretch(1);
    for (QPushButton* b : {btnRun, btnCancel, btnHelp, btnClose}) controls->addWidget(b);

    auto* logPane = new QWidget(this);
    auto* logLayout = new QGridLayout(logPane);
    logLayout->setContentsMargins(0, 0, 0, 0);
    logLayout->addWidget(lbl_Infolog, 0, 0);
    logLayout->addWidget(tbox_Infolog, 1, 0);
    logLayout->addWidget(progress_, 1, 1);
    logLayout->addLayout(controls, 0, 2, 2, 1);
    logLayout->setColumnStretch(0, 1);
    progress_->setMinimumWidth(180);
    progress_->setMaximumWidth(220);
    grp_OutputFormat->setMinimumWidth(150);

    auto* rows = new QSplitter(Qt::Vertical, this);
    rows->setObjectName(QStringLiteral("logSplitter"));
    rows->addWidget(lists);
    rows->addWidget(logPane);
    rows->setStretchFactor(0, 3);
    rows->setStretchFactor(1, 2);
    rows->setChildrenCollapsible(false);

    auto* top = new QVBoxLayout(this);
    top->addWidget(rows);

    setMinimumSize(800, 520);
    // Roomy, yet never larger than the screen it opens on.
    QSize start(1200, 760);
    if (const QScreen* sc = screen()) start = start.boundedTo(sc->availableSize());
    resize(start);
}
