#pragma once

#include <vector>

#include <QDialog>

#include "settings/option_types.h"

class QGroupBox;
class QVBoxLayout;

namespace vardane {

class ColorbarSettingElement;
class spconverter;

// The colour-bar dialog of one product kind: per variable a default or
// custom colour bar. "Save" stores the rows into the option dialog's working
// copy and into the main window's settings, makes the colour table and
// legend picture of every custom row, and saves the settings file. A custom
// range that cannot be drawn is refused on "Save" with a message naming
// it; the dialog stays open and nothing is stored.
class ColorbarSettingForm : public QDialog {
    Q_OBJECT
public:
    ColorbarSettingForm(spconverter& org_spcvt, spconverter& opt_spcvt, QWidget* parent = nullptr);

    // Shows the rows of the kind modally; stores them when saved.
    int ShowDialog(SettingType kind);

    // "Save": accepted only when every custom range can be drawn.
    void accept() override;

private:
    void build_rows(SettingType kind);
    void store_rows(SettingType kind);

    spconverter& org_spcvt;
    spconverter& opt_spcvt;
    std::vector<ColorbarSettingElement*> cb_items;
    QGroupBox* group_ = nullptr;
    QVBoxLayout* rows_ = nullptr;
};

} // namespace vardane
