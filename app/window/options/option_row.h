#pragma once

#include <string>

#include "settings/option_types.h"

class QCheckBox;
class QLineEdit;

namespace vardane {

class spconverter;

// One variable row of an option panel: a check box for the selected flag
// and a text box for the output name of the option `key` of `kind`.
struct option_row {
    SettingType kind = ST_NONE;
    std::string key;
    QCheckBox* check = nullptr;
    QLineEdit* name = nullptr;
    // The row's variable is always converted; its check box stays checked
    // and disabled.
    bool selectionFixed = false;
};

// Shows the stored option in the row.
void show_option(const spconverter& settings, const option_row& row);

// Stores every change of the row at once: a change of the check box, and a
// name when the text box is left or Enter is pressed in it. A change the
// option set refuses (a name with a blank or a tab, empty, longer than 40
// characters) is undone in the row, so that the row always shows what is
// stored.
void connect_option_row(spconverter& settings, const option_row& row);

} // namespace vardane
