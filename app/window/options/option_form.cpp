#include "app/window/options/option_form.h"

#include <locale>
#include <sstream>

#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/window/options/amsr_opts.h"
#include "app/window/options/annotation_tip.h"
#include "app/window/options/colorbar_setting_form.h"
#include "app/window/options/gpm_opts_group_box.h"
#include "app/window/options/option_page.h"
#include "app/window/options/save_close_buttons.h"
#include "app/window/options/screen_fit.h"
#include "app/window/options/sgli_opts.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

// The dialog keeps the size the user gave it for the next opening; the
// first opening fits a 1280 x 800 screen. Either is shrunk to the screen.
QSize& remembered_size()
{
    static QSize size(1100, 700);
    return size;
}

// The settings as the settings file would hold them.
std::string settings_text(const spconverter& settings)
{
    std::ostringstream text;
    // Compared as the file holds it, whatever locale the window runs under.
    text.imbue(std::locale::classic());
    settings.write_settings(text);
    return text.str();
}

} // namespace

OptionForm::OptionForm(spconverter& settings, QWidget* parent)
    : QDialog(parent), org_SPCVT(settings), p_SPCVT(std::make_unique<spconverter>(settings))
{
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("OptionForm"));
    // The annotations show even while another window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    tabSatellite = new QTabWidget(this);
    tabSatellite->setObjectName(QStringLiteral("tabSatellite"));

    tabGPM = new OptionPage(QStringLiteral("tabGPM"));
    for (const option_group_layout& table : gpm_groups()) tabGPM->add_group(table, *p_SPCVT);
    grp_DprV7DailyL3 = new GPMOptsGroupBox(*p_SPCVT, org_SPCVT, QStringLiteral("DPR(V07) Daily L3"), ST_DPRV7_DAILY, 2,
                                           tabGPM->content());
    grp_DprV7MonthlyL3 = new GPMOptsGroupBox(*p_SPCVT, org_SPCVT, QStringLiteral("DPR(V07) Monthly L3"),
                                             ST_DPRV7_MONTHLY, 3, tabGPM->content());
    tabGPM->add_widget(grp_DprV7DailyL3);
    tabGPM->add_widget(grp_DprV7MonthlyL3);
    tabGCOMW = new AmsrOpts(AT_AMSR2, *p_SPCVT);
    tabAQUA = new AmsrOpts(AT_AMSRE, *p_SPCVT);
    tabJASMES = new OptionPage(QStringLiteral("tabJASMES"));
    for (const option_group_layout& table : jasmes_groups()) tabJASMES->add_group(table, *p_SPCVT);
    tabGCOMC = new SgliOpts(*p_SPCVT);

    tabSatellite->addTab(tabGPM, QStringLiteral("GPM"));
    tabSatellite->addTab(tabGCOMW, tabGCOMW->sat());
    tabSatellite->addTab(tabAQUA, tabAQUA->sat());
    tabSatellite->addTab(tabJASMES, QStringLiteral("JASMES"));
    tabSatellite->addTab(tabGCOMC, QStringLiteral("GCOM-C"));

    auto* column = new QVBoxLayout(this);
    column->addWidget(tabSatellite, 1);
    column->addLayout(save_close_buttons(this, QStringLiteral("btnSet"), QStringLiteral("btnClose")));
    fit_to_screen(*this, remembered_size());
    OptionForm_Load();
}

OptionForm::~OptionForm() = default;

void OptionForm::OptionForm_Load()
{
    init_tooltip();
    init_evnet_setting();
}

void OptionForm::init_tooltip()
{
    tips_ = new AnnotationTip(this);
    tabGCOMW->InitTooltip(*tips_);
    tabAQUA->InitTooltip(*tips_);
}

void OptionForm::init_evnet_setting()
{
    const colorbar_handler colorbar = [this](SettingType kind) { btnColorbar_Click(kind); };
    for (OptionPage* page : {static_cast<OptionPage*>(tabGPM), static_cast<OptionPage*>(tabJASMES)}) {
        page->connect_rows();
        page->set_colorbar_handler(colorbar);
    }
    for (AmsrOpts* page : {tabGCOMW, tabAQUA}) {
        page->InitEvnetSetting();
        page->SetCbClick(colorbar);
    }
}

int OptionForm::ShowDialog()
{
    const int result = exec();
    if (result == QDialog::Accepted) {
        org_SPCVT.copyfrom(*p_SPCVT);
        if (!org_SPCVT.saveSetting()) {
            QMessageBox::warning(parentWidget(), windowTitle(),
                                 QStringLiteral("The settings could not be saved in %1. They apply until the "
                                                "program ends.")
                                     .arg(QString::fromStdString(org_SPCVT.config_path())));
        }
    }
    return result;
}

void OptionForm::showEvent(QShowEvent* event)
{
    tabSatellite->setCurrentIndex(0);
    QDialog::showEvent(event);
}

void OptionForm::done(int result)
{
    remembered_size() = size();
    QDialog::done(result);
}

bool OptionForm::has_unsaved_edits() const { return settings_text(*p_SPCVT) != settings_text(org_SPCVT); }

void OptionForm::reject()
{
    // A name typed but not yet committed (Esc straight from its box) counts:
    // commit it as leaving the box would. Committing an unchanged name
    // stores what is stored.
    if (auto* box = qobject_cast<QLineEdit*>(focusWidget())) emit box->editingFinished();
    if (!has_unsaved_edits()) {
        QDialog::reject();
        return;
    }
    QMessageBox ask(QMessageBox::Question, windowTitle(),
                    QStringLiteral("The options have been changed. Save the changes before closing?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    ask.setObjectName(QStringLiteral("unsavedEdits"));
    ask.setDefaultButton(QMessageBox::Save);
    switch (ask.exec()) {
    case QMessageBox::Save: accept(); break;
    case QMessageBox::Discard: QDialog::reject(); break;
    default: break; // stay, edits kept
    }
}

void OptionForm::btnColorbar_Click(SettingType kind)
{
    ColorbarSettingForm form(org_SPCVT, *p_SPCVT, this);
    form.ShowDialog(kind);
}

} // namespace vardane
