#include "app/window/options/sgli_opts.h"

#include <array>

#include <QGroupBox>
#include <QVBoxLayout>

#include "app/window/options/option_grid.h"
#include "app/window/options/option_group_frame.h"
#include "settings/option_types.h"

namespace vardane {

namespace {

struct sgli_group {
    const char* title;
    SettingType kind;
};

constexpr std::array<sgli_group, 10> kGroups{{
    {"GCOM-C L1B VNR", ST_GCOMC_VNR},
    {"GCOM-C L1B POL", ST_GCOMC_POL},
    {"GCOM-C L1B IRS", ST_GCOMC_IRS},
    {"GCOM-C L2 NWLR", ST_GCOMC_NWLR},
    {"GCOM-C L2 IWPR", ST_GCOMC_IWPR},
    {"GCOM-C L2 SST", ST_GCOMC_SST},
    {"GCOM-C L2 LTOA", ST_GCOMC_LTOA},
    {"GCOM-C L2 RSRF", ST_GCOMC_RSRF},
    {"GCOM-C L2 LST", ST_GCOMC_LST},
    {"GCOM-C L2 CLFG", ST_GCOMC_CLFG},
}};

constexpr int kPerLine = 3;

} // namespace

SgliOpts::SgliOpts(spconverter& p_SPCVT, QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("tabGCOMC"));
    setWidgetResizable(true);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    control_namer names(QStringLiteral("SGLI"));
    for (const sgli_group& g : kGroups) {
        auto* box = new QGroupBox(QString::fromLatin1(g.title), content);
        box->setObjectName(names.next("groupBox"));
        const option_group_frame frame = build_group_frame(box, nullptr, {}, QStringLiteral("Target"));
        build_option_grid(p_SPCVT, g.kind, kPerLine, frame.targets, names, box);
        column->addWidget(box);
    }
    column->addStretch(1);
    setWidget(content);
}

} // namespace vardane
