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

ColorbarSettingElement::ColorbarSettingElement(const std::string& list_key, const optSet_t& opt, QWidget* parent)
    : QFrame(parent), list_key_(list_key), opt_(opt)
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
    (opt.custom_colorbar ? radioCustom : radioDefault)->setChecked(true);
    txtMin = named(new QLineEdit(QString::fromStdString(format_general(opt.cb_min, 6)), this), "txtMin");
    txtMax = named(new QLineEdit(QString::fromStdString(format_general(opt.cb_max, 6)), this), "txtMax");
    cmbType = named(new QComboBox(this), "cmbType");
    cmbType->addItems({QStringLiteral("Linear"), QStringLiteral("Log")});
    cmbType->setCurrentIndex(opt.cb_log ? 1 : 0);
    txtInvalidValue = named(new QLineEdit(QString::fromStdString(opt.invalid_values), this), "txtInvalidValue");
    for (QLineEdit* box : {txtMin, txtMax, txtInvalidValue})
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(u'0') * 12);

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

optSet_t ColorbarSettingElement::get_opt() const
{
    optSet_t opt = opt_;
    opt.custom_colorbar = radioCustom->isChecked();
    read_number(txtMin->text(), opt.cb_min);
    read_number(txtMax->text(), opt.cb_max);
    opt.cb_log = cmbType->currentText() == QStringLiteral("Log");
    opt.invalid_values = txtInvalidValue->text().toStdString();
    return opt;
}

} // namespace vardane
