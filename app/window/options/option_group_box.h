#pragma once

#include <functional>
#include <vector>

#include <QGroupBox>

#include "app/window/options/option_group_layout.h"
#include "app/window/options/option_row.h"

class QPushButton;

namespace vardane {

class AnnotationTip;
class ProjectionChoice;
class spconverter;

// What a colour-bar button opens: the colour-bar dialog for a kind.
using colorbar_handler = std::function<void(SettingType kind)>;

// A hand-laid option group, built from its table row: the projection rows,
// the colour-bar button and one check box and text box per variable. It
// edits the working copy of the settings it is given.
class OptionGroupBox : public QGroupBox {
    Q_OBJECT
public:
    OptionGroupBox(const option_group_layout& table, spconverter& settings, QWidget* parent);

    SettingType kind() const { return kind_; }
    // Shows the stored options and projection.
    void load();
    // Stores every row and projection change from now on.
    void connect_rows();
    // Gives the check boxes their annotations.
    void annotate(AnnotationTip& tips) const;
    // What the colour-bar button does.
    void set_colorbar_handler(colorbar_handler handler);

private:
    SettingType kind_;
    spconverter& settings_;
    std::vector<option_row> rows_;
    std::vector<QString> tooltips_;
    ProjectionChoice* projection_ = nullptr;
    QPushButton* colorbarButton_ = nullptr;
};

} // namespace vardane
