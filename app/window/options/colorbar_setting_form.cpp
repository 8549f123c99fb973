#include "app/window/options/colorbar_setting_form.h"

#include <QGroupBox>
#include <QMessageBox>
#include <QScrollArea>
#include <QVBoxLayout>

#include "driver/data_folder.h"
#include "app/window/options/colorbar_setting_element.h"
#include "app/window/options/default_colour_range.h"
#include "app/window/options/save_close_buttons.h"
#include "app/window/options/screen_fit.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

// Gobi products have no colour tables of their own for these two.
bool without_colorbar(SettingType kind, const std::string& key)
{
    return kind == ST_JASMES_GOBI && (key == "rcr" || key == "taua");
}

// Writes the user's table and legend; says what went wrong, else "".
QString write_custom_table(const std::string& name, const optSet_t& opt)
{
    const clt_written written = make_custom_table(name, opt);
    if (!written.table) {
        return QStringLiteral("The colour table %1 could not be written in %2.")
            .arg(QString::fromStdString(name + ".clt"), QString::fromStdString(custom_clt_folder().string()));
    }
    return QString::fromStdString(written.legendProblem);
}

} // namespace

ColorbarSettingForm::ColorbarSettingForm(spconverter& org, spconverter& opt, QWidget* parent)
    : QDialog(parent), org_spcvt(org), opt_spcvt(opt)
{
    setObjectName(QStringLiteral("ColorbarSettingForm"));
    setWindowTitle(QStringLiteral("ColorbarSettingForm"));
    group_ = new QGroupBox(this);
    group_->setObjectName(QStringLiteral("groupBox1"));
    auto* scroll = new QScrollArea(group_);
    scroll->setWidgetResizable(true);
    auto* panel = new QWidget;
    rows_ = new QVBoxLayout(panel);
    rows_->addStretch(1);
    scroll->setWidget(panel);
    (new QVBoxLayout(group_))->addWidget(scroll);

    auto* column = new QVBoxLayout(this);
    column->addWidget(group_, 1);
    column->addLayout(save_close_buttons(this, QStringLiteral("btnSave"), QStringLiteral("btnClose")));
    fit_to_screen(*this, QSize(1150, 560));
}

int ColorbarSettingForm::ShowDialog(SettingType kind)
{
    build_rows(kind);
    const int result = exec();
    if (result == QDialog::Accepted) store_rows(kind);
    return result;
}

void ColorbarSettingForm::build_rows(SettingType kind)
{
    for (ColorbarSettingElement* row : cb_items) delete row;
    cb_items.clear();
    group_->setTitle(QString::fromStdString(opt_spcvt.get_category_text(kind)));
    for (const std::string& key : opt_spcvt.get_key_list(kind)) {
        if (without_colorbar(kind, key)) continue;
        optSet_t opt;
        opt_spcvt.get_OptSetting(kind, key, opt);
        auto* row = new ColorbarSettingElement(key, opt, default_colour_range(kind, key), rows_->parentWidget());
        rows_->insertWidget(rows_->count() - 1, row);
        cb_items.push_back(row);
    }
}

void ColorbarSettingForm::accept()
{
    QStringList problems;
    for (const ColorbarSettingElement* row : cb_items) {
        if (const QString problem = row->range_problem(); !problem.isEmpty())
            problems << row->display_name() + QStringLiteral(": ") + problem + u'.';
    }
    if (problems.isEmpty()) {
        QDialog::accept();
        return;
    }
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    QStringLiteral("These colour bars cannot be drawn. Correct their range, or choose "
                                   "\"Default\", and save again; nothing has been saved yet.\n\n")
                        + problems.join(u'\n'),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("rangeProblems"));
    box.exec();
}

void ColorbarSettingForm::store_rows(SettingType kind)
{
    QStringList problems;
    for (const ColorbarSettingElement* row : cb_items) {
        const std::string& key = row->get_key();
        const optSet_t opt = row->get_opt();
        opt_spcvt.set_CbOptSetting(kind, key, opt);
        org_spcvt.set_CbOptSetting(kind, key, opt);
        const std::string table = opt_spcvt.get_custom_clt(kind, key);
        if (!opt.custom_colorbar || table.empty()) continue;
        const QString problem = write_custom_table(table, opt);
        if (!problem.isEmpty()) problems << problem;
    }
    if (!org_spcvt.saveSetting()) {
        problems << QStringLiteral("The settings could not be saved in %1.")
                        .arg(QString::fromStdString(org_spcvt.config_path()));
    }
    if (!problems.isEmpty()) QMessageBox::warning(this, windowTitle(), problems.join(u'\n'));
}

} // namespace vardane
