#pragma once

#include <vector>

#include <QString>

#include "app/window/options/option_row.h"

class QGridLayout;
class QWidget;

namespace vardane {

class spconverter;

// Names generated controls uniquely: prefix + kind + running number
// ("SGLIcheckBox7"); the number grows with every control named.
class control_namer {
public:
    explicit control_namer(QString prefix) : prefix_(std::move(prefix)) {}
    QString next(const char* kind) { return prefix_ + QLatin1String(kind) + QString::number(idcnt_++); }

private:
    QString prefix_;
    int idcnt_ = 0;
};

// One row per option of the kind, in byte-wise ascending key order, placed
// `perLine` to a line: a check box labelled with the key and the option's
// output name beside it. Returns the rows, shown from the stored options and
// connected to store each change.
std::vector<option_row> build_option_grid(spconverter& settings, SettingType kind, int perLine, QGridLayout* targets,
                                          control_namer& names, QWidget* parent);

} // namespace vardane
