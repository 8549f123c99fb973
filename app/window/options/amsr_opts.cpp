#include "app/window/options/amsr_opts.h"

namespace vardane {

AmsrOpts::AmsrOpts(AmsrType type, spconverter& p_SPCVT, QWidget* parent)
    : OptionPage(type == AT_AMSRE ? QStringLiteral("tabAQUA") : QStringLiteral("tabGCOMW"), parent), atype_(type)
{
    for (const option_group_layout& table : radiometer_groups(type)) add_group(table, p_SPCVT);
}

QString AmsrOpts::sat() const { return atype_ == AT_AMSRE ? QStringLiteral("AQUA") : QStringLiteral("GCOM-W"); }

} // namespace vardane
