#pragma once

#include <string>

#include <QFrame>

#include "settings/option_types.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vardane {

// One row of the colour-bar dialog: a variable's colour bar, default or
// custom, with its range, scale and invalid-value text.
class ColorbarSettingElement : public QFrame {
    Q_OBJECT
public:
    ColorbarSettingElement(const std::string& list_key, const optSet_t& opt, QWidget* parent = nullptr);

    const std::string& get_key() const { return list_key_; }
    // The edited entry. A minimum or maximum that is not a number keeps the
    // value the row was given.
    optSet_t get_opt() const;

private:
    std::string list_key_;
    optSet_t opt_;
    QLabel* label1;
    QRadioButton* radioDefault;
    QRadioButton* radioCustom;
    QLineEdit* txtMin;
    QLineEdit* txtMax;
    QComboBox* cmbType;
    QLineEdit* txtInvalidValue;
};

} // namespace vardane
