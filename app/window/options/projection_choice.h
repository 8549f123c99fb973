#pragma once

#include <QWidget>

#include "app/window/options/option_group_layout.h"

class QComboBox;
class QRadioButton;

namespace vardane {

class spconverter;

// The projection of a group's gridded outputs: "lat/lon (EQR)" or "polar
// stereo" with the poles chosen from a list that is enabled only while
// "polar stereo" is chosen. Every change is stored at once.
class ProjectionChoice : public QWidget {
    Q_OBJECT
public:
    ProjectionChoice(const projection_names& names, SettingType kind, spconverter& settings, QWidget* parent);

    // Shows the stored projection.
    void load();

private:
    void rbtn_OnCheckedChanged();
    void cbx_OnSelectedIndexChanged();
    void store();

    SettingType kind_;
    spconverter& settings_;
    QRadioButton* lonlat_;
    QRadioButton* polar_;
    QComboBox* poles_;
};

} // namespace vardane
