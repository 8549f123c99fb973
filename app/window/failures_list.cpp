#include "app/window/failures_list.h"

#include <algorithm>

#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>

namespace vardane {

namespace {

enum column : int { File = 0, What = 1, Cause = 2 };
constexpr int kLineRole = Qt::UserRole;
// Rows shown before the list scrolls.
constexpr int kVisibleRows = 5;

} // namespace

FailuresList::FailuresList(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("failuresList"));
    setAccessibleName(tr("Failures"));
    setToolTip(tr("What failed in the last run; Enter or a double-click shows the line in the log"));
    setColumnCount(3);
    setHeaderLabels({tr("File"), tr("What failed"), tr("Cause")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::StrongFocus);
    setTabKeyNavigation(false);
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int) { emit lineRequested(item->data(File, kLineRole).toInt()); });
    hide();
}

void FailuresList::add_failure(const QString& file, const QString& logLine, int lineNumber, const QString& cause)
{
    auto* item = new QTreeWidgetItem(this);
    const QString name = QFileInfo(file).fileName();
    item->setText(File, name.isEmpty() ? file : name);
    item->setToolTip(File, file);
    item->setText(What, logLine);
    item->setToolTip(What, logLine);
    item->setText(Cause, cause);
    item->setToolTip(Cause, cause);
    item->setData(File, kLineRole, lineNumber);
    show();
    // Room for the name and the line, grown as longer ones arrive (never
    // shrunk under a user who widened a column); the cause takes the rest.
    const int room = viewport()->width();
    widen_to_contents(File, room / 4);
    widen_to_contents(What, room * 2 / 5);
    if (topLevelItemCount() == 1) setCurrentItem(item);
    updateGeometry();
}

void FailuresList::widen_to_contents(int column, int limit)
{
    const int wanted = std::min(std::max(sizeHintForColumn(column), header()->sectionSizeHint(column)), limit);
    if (wanted > columnWidth(column)) setColumnWidth(column, wanted);
}

QSize FailuresList::sizeHint() const
{
    const int rows = std::clamp(topLevelItemCount(), 1, kVisibleRows);
    const int rowHeight =
        topLevelItemCount() > 0 ? QTreeWidget::rowHeight(model()->index(0, 0)) : fontMetrics().height() + 4;
    return {QTreeWidget::sizeHint().width(), header()->sizeHint().height() + rows * rowHeight + 2 * frameWidth()
                                                 + horizontalScrollBar()->sizeHint().height()};
}

void FailuresList::clear_failures()
{
    clear();
    hide();
}

} // namespace vardane
