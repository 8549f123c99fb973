#include "app/window/failures_list.h"

#include <algorithm>

#include <QFileInfo>
#include <QHeaderView>

namespace vardane {

namespace {

enum column : int { File = 0, What = 1, Cause = 2 };
constexpr int kLineRole = Qt::UserRole;
// Tall enough to show a few failures; more scroll, and the log keeps the room.
constexpr int kVisibleRows = 6;

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
    setMaximumHeight(header()->sizeHint().height() + kVisibleRows * fontMetrics().height() * 3 / 2);
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
    if (topLevelItemCount() == 1) {
        // Room for the names first; the line and the cause share the rest.
        const int room = viewport()->width();
        resizeColumnToContents(File);
        setColumnWidth(File, std::min(columnWidth(File), room / 4));
        setColumnWidth(What, std::max(columnWidth(What), room / 2));
        setCurrentItem(item);
    }
}

void FailuresList::clear_failures()
{
    clear();
    hide();
}

} // namespace vardane
