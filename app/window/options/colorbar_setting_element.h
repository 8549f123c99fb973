#pragma once

#include <optional>
#include <string>

#include <QFrame>

#include "app/window/options/default_colour_range.h"
#include "settings/option_types.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vardane {

// One row of the colour-bar dialog: a variable's colour bar, default or
// custom, with its range, scale and invalid-value text. While "Default" is
// chosen the range and scale show the built-in table's (`defaultRange`,
// empty boxes when there is none) and cannot be edited; "Custom" shows the
// user's own again. A custom range never set starts as the default one.
class ColorbarSettingElement : public QFrame {
    Q_OBJECT
public:
    ColorbarSettingElement(const std::string& list_key, const optSet_t& opt,
                           const std::optional<colour_range>& defaultRange, QWidget* parent = nullptr);

    const std::string& get_key() const { return list_key_; }
    // The name shown for the variable.
    QString display_name() const;
    // The edited entry. A "Default" row keeps the custom range it was given;
    // a minimum or maximum that is not a number keeps the given value too.
    optSet_t get_opt() const;
    // Why the row's custom range cannot be drawn (a bound that is not a
    // number, a minimum not below the maximum); empty when it can, and for
    // a "Default" row.
    QString range_problem() const;

private:
    void show_choice(bool custom);

    std::string list_key_;
    optSet_t opt_;
    std::optional<colour_range> default_;
    // The custom range and scale while the boxes show the default ones.
    QString customMin_;
    QString customMax_;
    int customType_ = 0;
    QLabel* label1;
    QRadioButton* radioDefault;
    QRadioButton* radioCustom;
    QLineEdit* txtMin;
    QLineEdit* txtMax;
    QComboBox* cmbType;
    QLineEdit* txtInvalidValue;
};

} // namespace vardane
