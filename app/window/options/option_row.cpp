#include "app/window/options/option_row.h"

#include <QCheckBox>
#include <QLineEdit>

#include "settings/spconverter.h"

namespace vardane {

void show_option(const spconverter& settings, const option_row& row)
{
    optSet_t option;
    settings.get_OptSetting(row.kind, row.key, option);
    const QSignalBlocker blockCheck(row.check);
    const QSignalBlocker blockName(row.name);
    row.check->setChecked(row.selectionFixed || option.flag);
    row.check->setEnabled(!row.selectionFixed);
    row.name->setText(QString::fromStdString(option.name));
}

namespace {

void store_row(spconverter& settings, const option_row& row)
{
    optSet_t option;
    settings.get_OptSetting(row.kind, row.key, option);
    option.flag = row.selectionFixed || row.check->isChecked();
    option.name = row.name->text().toStdString();
    if (!settings.set_OptSetting(row.kind, row.key, option)) show_option(settings, row);
}

} // namespace

void connect_option_row(spconverter& settings, const option_row& row)
{
    if (!row.selectionFixed) {
        QObject::connect(row.check, &QCheckBox::toggled, row.check, [&settings, row] { store_row(settings, row); });
    }
    QObject::connect(row.name, &QLineEdit::editingFinished, row.name, [&settings, row] { store_row(settings, row); });
}

} // namespace vardane
