#include "app/window/options/option_group_box.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/window/options/annotation_tip.h"
#include "app/window/options/option_group_frame.h"
#include "app/window/options/projection_choice.h"

namespace vardane {

OptionGroupBox::OptionGroupBox(const option_group_layout& table, spconverter& settings, QWidget* parent)
    : QGroupBox(table.title, parent), kind_(table.kind), settings_(settings)
{
    setObjectName(table.control);
    if (table.projection) projection_ = new ProjectionChoice(*table.projection, table.kind, settings, this);
    const option_group_frame frame = build_group_frame(this, projection_, table.colorbarButton, table.targetCaption);
    colorbarButton_ = frame.colorbarButton;

    // Blocks with a caption (the resolutions of the L1R group) show it at
    // the start of their first line.
    const bool captions = std::any_of(table.blocks.begin(), table.blocks.end(),
                                      [](const option_block_layout& b) { return !b.caption.isEmpty(); });
    int line = 0;
    for (const option_block_layout& block : table.blocks) {
        if (captions) frame.targets->addWidget(new QLabel(block.caption, this), line, 0);
        for (std::size_t i = 0; i < block.rows.size(); ++i) {
            const option_row_layout& r = block.rows[i];
            auto* check = new QCheckBox(r.label, this);
            check->setObjectName(QStringLiteral("chk_") + r.part);
            QLineEdit* name = name_box(QStringLiteral("txt_") + r.part, this);
            const int pair = static_cast<int>(i) % table.perLine;
            place_row(frame.targets, line, pair, captions ? 1 : 0, check, name);
            if (pair == table.perLine - 1 || i + 1 == block.rows.size()) ++line;
            rows_.push_back({table.kind, r.key, check, name, table.selectionFixed});
            tooltips_.push_back(r.tooltip);
        }
    }
    load();
}

void OptionGroupBox::load()
{
    for (const option_row& row : rows_) show_option(settings_, row);
    if (projection_) projection_->load();
}

void OptionGroupBox::connect_rows()
{
    for (const option_row& row : rows_) connect_option_row(settings_, row);
}

void OptionGroupBox::annotate(AnnotationTip& tips) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!tooltips_[i].isEmpty()) tips.attach(rows_[i].check, tooltips_[i]);
    }
}

void OptionGroupBox::set_colorbar_handler(colorbar_handler handler)
{
    if (!colorbarButton_) return;
    connect(colorbarButton_, &QPushButton::clicked, this,
            [kind = kind_, handler = std::move(handler)] { handler(kind); });
}

} // namespace vardane
