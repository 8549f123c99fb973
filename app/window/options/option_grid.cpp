#include "app/window/options/option_grid.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>

#include "app/window/options/option_group_frame.h"
#include "settings/spconverter.h"

namespace vardane {

std::vector<option_row> build_option_grid(spconverter& settings, SettingType kind, int perLine, QGridLayout* targets,
                                          control_namer& names, QWidget* parent)
{
    std::vector<std::string> keys = settings.get_key_list(kind);
    std::sort(keys.begin(), keys.end());
    std::vector<option_row> rows;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        auto* check = new QCheckBox(QString::fromStdString(keys[i]), parent);
        check->setObjectName(names.next("checkBox"));
        QLineEdit* name = name_box(names.next("textBox"), parent);
        const int index = static_cast<int>(i);
        place_row(targets, index / perLine, index % perLine, 0, check, name);
        rows.push_back({kind, keys[i], check, name, false});
        show_option(settings, rows.back());
        connect_option_row(settings, rows.back());
    }
    return rows;
}

} // namespace vardane
