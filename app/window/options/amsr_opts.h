#pragma once

#include "app/window/options/option_page.h"
#include "reader/product_types.h"

namespace vardane {

// The page of one microwave radiometer: its six option sets (L1A/L1B, L1R,
// L2 high and low resolution, L3 brightness temperature and geophysical
// data). The same page serves AMSR2 ("GCOM-W") and AMSR-E ("AQUA"); the
// radiometer decides the titles, the colour-bar button names and which
// option sets and projections are edited.
class AmsrOpts : public OptionPage {
    Q_OBJECT
public:
    AmsrOpts(AmsrType type, spconverter& p_SPCVT, QWidget* parent = nullptr);

    AmsrType atype() const { return atype_; }
    // The page title: "GCOM-W" or "AQUA".
    QString sat() const;

    // What the six colour-bar buttons do.
    void SetCbClick(const colorbar_handler& handler) { set_colorbar_handler(handler); }
    void InitDefaultSetting() { load(); }
    void InitTooltip(AnnotationTip& tips) const { annotate(tips); }
    void InitEvnetSetting() { connect_rows(); }

private:
    AmsrType atype_;
};

} // namespace vardane
