#include "app/window/options/gpm_opts_group_box.h"

#include <QPushButton>

#include "app/window/options/colorbar_setting_form.h"
#include "app/window/options/option_grid.h"
#include "app/window/options/option_group_frame.h"

namespace vardane {

GPMOptsGroupBox::GPMOptsGroupBox(spconverter& p_SPCVT, spconverter& org_SPCVT, const QString& title, SettingType type,
                                 int max_col, QWidget* parent)
    : QGroupBox(title, parent), p_SPCVT_(p_SPCVT), org_SPCVT_(org_SPCVT), type_(type)
{
    const QString name = QStringLiteral("grp_DprV7")
                         + (type == ST_DPRV7_DAILY ? QStringLiteral("DailyL3") : QStringLiteral("MonthlyL3"));
    setObjectName(name);
    const option_group_frame frame =
        build_group_frame(this, nullptr, QStringLiteral("btn_cb_") + name.mid(4), QStringLiteral("Target(PrecipRate)"));
    control_namer names(name + u'_');
    build_option_grid(p_SPCVT, type, max_col, frame.targets, names, this);
    connect(frame.colorbarButton, &QPushButton::clicked, this, &GPMOptsGroupBox::btnColorbar_Click);
}

void GPMOptsGroupBox::btnColorbar_Click()
{
    ColorbarSettingForm form(org_SPCVT_, p_SPCVT_, this);
    form.ShowDialog(type_);
}

} // namespace vardane
