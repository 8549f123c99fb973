#pragma once

#include <QString>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vardane {

// The rows every option group shares: "Projection(GeoTIFF)" with the
// projection (the fixed text "lat/lon (EQR)" when there is no choice),
// "Projection(KMZ)" with "lat/lon (EQR)" and the "Color bar setting" button
// (left out for products without KMZ output), and the target row that holds
// the variables.
struct option_group_frame {
    QPushButton* colorbarButton = nullptr; // nullptr without the KMZ row
    QGridLayout* targets = nullptr;        // the variables' check and text boxes
};

// Lays the rows into `box`. `projection` is put in the GeoTIFF row when
// given; `colorbarButton` names the button, empty for no KMZ row.
option_group_frame build_group_frame(QGroupBox* box, QWidget* projection, const QString& colorbarButton,
                                     const QString& targetCaption);

// A variable's check box and output-name text box, placed in the target
// grid at the given line and pair column (after `firstColumn` columns).
void place_row(QGridLayout* targets, int line, int pair, int firstColumn, QCheckBox* check, QLineEdit* name);

// A text box for output names (up to 40 characters, shown shorter).
QLineEdit* name_box(const QString& objectName, QWidget* parent);

} // namespace vardane
