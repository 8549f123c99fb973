#include "app/window/options/colorbar_setting_element.h"

#include <cmath>

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>

#include "app/window/options/colorbar_long_name.h"
#include "util/number_text.h"

namespace vardane {

namespace {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The whole text as a finite number, with '.' or the user's decimal mark.
bool read_number(const QString& text, float& value)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    float read = QLocale::c().toFloat(trimmed, &ok);
    if (!ok) read = QLocale().toFloat(trimmed, &ok);
    if (!ok || !std::isfinite(read)) return false;
    value = read;
    return true;
}

} // namespace

ColorbarSettingElement::ColorbarSettingElement(const std::string& list_key, const optSet_t& opt,
                                               const std::optional<colour_range>& defaultRange, QWidget* parent)
    : QFrame(parent), list_key_(list_key), opt_(opt), default_(defaultRange)
{
    setObjectName(QString::fromStdString(list_key));
    setFrameShape(QFrame::StyledPanel);
    QString display = QString::fromStdString(GetLongName(list_key));
    display.replace(u'_', u' ');
    label1 = named(new QLabel(display, this), "label1");
    radioDefault = named(new QRadioButton(QStringLiteral("Default"), this), "radioDefault");
    radioCustom = named(new QRadioButton(QStringLiteral("Custom"), this), "radioCustom");
    auto* choice = new QButtonGroup(this);
    choice->addButton(radioDefault);
    choice->addButton(radioCustom);
    txtMin = named(new QLineEdit(this), "txtMin");
    txtMax = named(new QLineEdit(this), "txtMax");
    cmbType = named(new QComboBox(this), "cmbType");
    cmbType->addItems({QStringLiteral("Linear"), QStringLiteral("Log")});
    txtInvalidValue = named(new QLineEdit(QString::fromStdString(opt.invalid_values), this), "txtInvalidValue");
    for (QLineEdit* box : {txtMin, txtMax, txtInvalidValue})
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(u'0') * 12);

    // A range of 0 to 0 was never set: the default is the better start.
    const bool neverSet = !opt.custom_colorbar && opt.cb_min == 0.0f && opt.cb_max == 0.0f && default_;
    const colour_range start = neverSet ? *default_ : colour_range{opt.cb_min, opt.cb_max, opt.cb_log};
    customMin_ = QString::fromStdString(format_general(start.minimum, 6));
    customMax_ = QString::fromStdString(format_general(start.maximum, 6));
    customType_ = start.log ? 1 : 0;
    txtMin->setText(customMin_);
    txtMax->setText(customMax_);
    cmbType->setCurrentIndex(customType_);
    (opt.custom_colorbar ? radioCustom : radioDefault)->setChecked(true);
    if (!opt.custom_colorbar) show_choice(false);
    connect(radioCustom, &QRadioButton::toggled, this, &ColorbarSettingElement::show_choice);

    auto* row = new QHBoxLayout(this);
    label1->setMinimumWidth(label1->sizeHint().width());
    row->addWidget(label1, 1);
    row->addWidget(radioDefault);
    row->addWidget(radioCustom);
    row->addWidget(new QLabel(QStringLiteral("Min"), this));
    row->addWidget(txtMin);
    row->addWidget(new QLabel(QStringLiteral("Max"), this));
    row->addWidget(txtMax);
    row->addWidget(new QLabel(QStringLiteral("Type"), this));
    row->addWidget(cmbType);
    row->addWidget(new QLabel(QStringLiteral("Invalid value"), this));
    row->addWidget(txtInvalidValue);
}

void ColorbarSettingElement::show_choice(bool custom)
{
    if (custom) {
        txtMin->setText(customMin_);
        txtMax->setText(customMax_);
        cmbType->setCurrentIndex(customType_);
    } else {
        customMin_ = txtMin->text();
        customMax_ = txtMax->text();
        customType_ = cmbType->currentIndex();
        txtMin->clear();
        txtMax->clear();
        if (default_) {
            txtMin->setText(QString::fromStdString(format_general(default_->minimum, 6)));
            txtMax->setText(QString::fromStdString(format_general(default_->maximum, 6)));
            cmbType->setCurrentIndex(default_->log ? 1 : 0);
        }
    }
    const QString none = custom || default_ ? QString() : QStringLiteral("no table");
    for (QLineEdit* box : {txtMin, txtMax}) {
        box->setPlaceholderText(none);
        box->setEnabled(custom);
    }
    cmbType->setEnabled(custom);
}

QString ColorbarSettingElement::display_name() const { return label1->text(); }

optSet_t ColorbarSettingElement::get_opt() const
{
    optSet_t opt = opt_;
    opt.custom_colorbar = radioCustom->isChecked();
    opt.invalid_values = txtInvalidValue->text().toStdString();
    if (!opt.custom_colorbar) return opt;
    read_number(txtMin->text(), opt.cb_min);
    read_number(txtMax->text(), opt.cb_max);
    opt.cb_log = cmbType->currentText() == QStringLiteral("Log");
    return opt;
}

// A logarithmic table spreads its bounds over the range by fixed fractions
// (clt_writer.cpp), so it draws from 0 or below as a linear one does; the
// built-in precipitation tables start at 0. Only an empty or reversed range
// or a bound that is no number leaves nothing to draw.
QString ColorbarSettingElement::range_problem() const
{
    if (!radioCustom->isChecked()) return {};
    float minimum = 0.0f, maximum = 0.0f;
    const auto not_number = [](const char* bound, const QString& text) {
        return text.trimmed().isEmpty()
                   ? QStringLiteral("the %1 is empty").arg(QLatin1String(bound))
                   : QStringLiteral("the %1 \"%2\" is not a number").arg(QLatin1String(bound), text.trimmed());
    };
    if (!read_number(txtMin->text(), minimum)) return not_number("minimum", txtMin->text());
    if (!read_number(txtMax->text(), maximum)) return not_number("maximum", txtMax->text());
    if (minimum >= maximum) {
        return QStringLiteral("the minimum (%1) must be below the maximum (%2)")
            .arg(QString::fromStdString(format_general(minimum, 6)),
                 QString::fromStdString(format_general(maximum, 6)));
    }
    return {};
}

} // namespace vardane
