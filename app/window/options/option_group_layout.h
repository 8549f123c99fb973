#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "reader/product_types.h"
#include "settings/option_types.h"

namespace vardane {

// The hand-laid option groups of the option dialog, as data: which option
// set each group edits, what its controls are called and say, and which
// option key each row edits. The pages build their groups from these
// tables; nothing about a group is written twice.

// One variable row: check box "chk_<part>" (selected flag) and text box
// "txt_<part>" (output name) for the option `key`.
struct option_row_layout {
    QString part;
    QString label;
    std::string key;
    QString tooltip; // empty: no annotation
};

// Rows shown under one caption (the resolution blocks of the L1R group);
// most groups have a single block without a caption.
struct option_block_layout {
    QString caption;
    std::vector<option_row_layout> rows;
};

// Controls of a group whose gridded outputs may be polar stereographic.
struct projection_names {
    QString lonlat; // radio "lat/lon (EQR)"
    QString polar;  // radio "polar stereo"
    QString list;   // "North and South", "North", "South"
};

struct option_group_layout {
    QString control;
    QString title;
    SettingType kind = ST_NONE;
    QString colorbarButton;
    QString targetCaption;
    std::vector<option_block_layout> blocks;
    std::optional<projection_names> projection;
    // GSMaP's single variable is always converted: only its name is editable.
    bool selectionFixed = false;
    // Rows per line on the screen.
    int perLine = 4;
};

// The four hand-laid groups of the "GPM" page (GSMaP hourly and monthly,
// DPR daily and monthly); the two DPR(V07) groups are built from their
// option sets.
std::vector<option_group_layout> gpm_groups();

// The six groups of a radiometer page. Both radiometers have the same rows
// and control names; titles, colour-bar buttons and option sets follow the
// radiometer.
std::vector<option_group_layout> radiometer_groups(AmsrType type);

// The four groups of the "JASMES" page.
std::vector<option_group_layout> jasmes_groups();

} // namespace vardane
