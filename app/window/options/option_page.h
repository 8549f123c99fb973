#pragma once

#include <vector>

#include <QScrollArea>

#include "app/window/options/option_group_box.h"

class QVBoxLayout;

namespace vardane {

// A page of the option dialog: option groups stacked top to bottom,
// scrolling when they are taller than the dialog.
class OptionPage : public QScrollArea {
    Q_OBJECT
public:
    OptionPage(const QString& objectName, QWidget* parent = nullptr);

    OptionGroupBox* add_group(const option_group_layout& table, spconverter& settings);
    // A group built elsewhere, placed below the others.
    void add_widget(QWidget* widget);
    QWidget* content() const { return content_; }
    const std::vector<OptionGroupBox*>& groups() const { return groups_; }

    // For all hand-laid groups of the page.
    void load();
    void connect_rows();
    void annotate(AnnotationTip& tips) const;
    void set_colorbar_handler(const colorbar_handler& handler);

private:
    QWidget* content_;
    QVBoxLayout* column_;
    std::vector<OptionGroupBox*> groups_;
};

} // namespace vardane
