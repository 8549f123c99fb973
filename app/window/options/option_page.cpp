#include "app/window/options/option_page.h"

#include <QVBoxLayout>

namespace vardane {

OptionPage::OptionPage(const QString& objectName, QWidget* parent) : QScrollArea(parent), content_(new QWidget)
{
    setObjectName(objectName);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    column_ = new QVBoxLayout(content_);
    column_->addStretch(1);
    setWidget(content_);
}

OptionGroupBox* OptionPage::add_group(const option_group_layout& table, spconverter& settings)
{
    auto* group = new OptionGroupBox(table, settings, content_);
    groups_.push_back(group);
    add_widget(group);
    return group;
}

void OptionPage::add_widget(QWidget* widget) { column_->insertWidget(column_->count() - 1, widget); }

void OptionPage::load()
{
    for (OptionGroupBox* g : groups_) g->load();
}

void OptionPage::connect_rows()
{
    for (OptionGroupBox* g : groups_) g->connect_rows();
}

void OptionPage::annotate(AnnotationTip& tips) const
{
    for (const OptionGroupBox* g : groups_) g->annotate(tips);
}

void OptionPage::set_colorbar_handler(const colorbar_handler& handler)
{
    for (OptionGroupBox* g : groups_) g->set_colorbar_handler(handler);
}

} // namespace vardane
