#pragma once

#include <map>
#include <string>

#include <QGroupBox>

#include "settings/option_types.h"

class QCheckBox;
class QLineEdit;

namespace vardane {

class spconverter;

// A GPM option group built from its option set rather than laid out by
// hand (the DPR(V07) products): projection rows, the colour-bar button and
// the variables `max_col` to a line in ascending key order.
class GPMOptsGroupBox : public QGroupBox {
    Q_OBJECT
public:
    // `p_SPCVT` is the option dialog's working copy; `org_SPCVT` the main
    // window's settings, which the colour-bar dialog also stores into.
    GPMOptsGroupBox(spconverter& p_SPCVT, spconverter& org_SPCVT, const QString& title, SettingType type, int max_col,
                    QWidget* parent);

    SettingType type() const { return type_; }

private:
    void btnColorbar_Click();

    spconverter& p_SPCVT_;
    spconverter& org_SPCVT_;
    SettingType type_;
};

} // namespace vardane
