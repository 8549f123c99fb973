#pragma once

#include <QScrollArea>

namespace vardane {

class spconverter;

// The "GCOM-C" page: one group per SGLI product, each built from the
// product's option set (three variables to a line, ascending key order).
// KMZ is not made of SGLI products, so the groups have no KMZ row.
class SgliOpts : public QScrollArea {
    Q_OBJECT
public:
    explicit SgliOpts(spconverter& p_SPCVT, QWidget* parent = nullptr);
};

} // namespace vardane
