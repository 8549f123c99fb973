#include "app/window/options/projection_choice.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QRadioButton>

#include "settings/spconverter.h"

namespace vardane {

namespace {

// List position <-> polar projection; no or another position means both poles.
TiffGenType polar_projection(int listIndex)
{
    switch (listIndex) {
    case 1: return TG_POLAR_NORTH;
    case 2: return TG_POLAR_SOUTH;
    default: return TG_POLAR_BOTH;
    }
}

int list_index(TiffGenType projection)
{
    switch (projection) {
    case TG_POLAR_NORTH: return 1;
    case TG_POLAR_SOUTH: return 2;
    default: return 0;
    }
}

} // namespace

ProjectionChoice::ProjectionChoice(const projection_names& names, SettingType kind, spconverter& settings,
                                   QWidget* parent)
    : QWidget(parent), kind_(kind), settings_(settings)
{
    lonlat_ = new QRadioButton(QStringLiteral("lat/lon (EQR)"), this);
    lonlat_->setObjectName(names.lonlat);
    polar_ = new QRadioButton(QStringLiteral("polar stereo"), this);
    polar_->setObjectName(names.polar);
    poles_ = new QComboBox(this);
    poles_->setObjectName(names.list);
    poles_->addItems({QStringLiteral("North and South"), QStringLiteral("North"), QStringLiteral("South")});
    auto* group = new QButtonGroup(this);
    group->addButton(lonlat_);
    group->addButton(polar_);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(lonlat_);
    row->addWidget(polar_);
    row->addWidget(poles_);
    row->addStretch(1);

    load();
    connect(polar_, &QRadioButton::toggled, this, &ProjectionChoice::rbtn_OnCheckedChanged);
    connect(poles_, &QComboBox::currentIndexChanged, this, &ProjectionChoice::cbx_OnSelectedIndexChanged);
}

void ProjectionChoice::load()
{
    TiffGenType projection = TG_EQR;
    settings_.get_ProjectionSetting(kind_, projection);
    const QSignalBlocker blockPolar(polar_);
    const QSignalBlocker blockList(poles_);
    (projection == TG_EQR ? lonlat_ : polar_)->setChecked(true);
    poles_->setCurrentIndex(list_index(projection));
    poles_->setEnabled(projection != TG_EQR);
}

void ProjectionChoice::rbtn_OnCheckedChanged()
{
    poles_->setEnabled(polar_->isChecked());
    store();
}

void ProjectionChoice::cbx_OnSelectedIndexChanged() { store(); }

void ProjectionChoice::store()
{
    settings_.set_ProjectionSetting(kind_, polar_->isChecked() ? polar_projection(poles_->currentIndex()) : TG_EQR);
}

} // namespace vardane
