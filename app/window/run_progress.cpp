#include "app/window/run_progress.h"

#include <algorithm>

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "driver/run_tally.h"

namespace vardane {

RunProgress::RunProgress(QWidget* parent)
    : QWidget(parent), bar_(new QProgressBar(this)), counts_(new QLabel(this)), current_(new QLabel(this))
{
    setObjectName(QStringLiteral("runProgress"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(tr("Progress"), this);
    layout->addWidget(caption);
    layout->addWidget(bar_);
    layout->addWidget(counts_);
    layout->addWidget(current_);
    layout->addStretch(1);
    current_->setWordWrap(true);
    current_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar_->setTextVisible(true);
    reset();
}

void RunProgress::show_progress(int done, int total, const QString& current)
{
    total = std::max(total, 0);
    done = std::clamp(done, 0, total);
    bar_->setRange(0, std::max(total, 1));
    bar_->setValue(done);
    bar_->setFormat(QStringLiteral("%p%"));
    counts_->setText(tr("%1 of %2 files done").arg(done).arg(total));
    counts_->setStyleSheet(QString());
    counts_->setToolTip(QString());
    // The driver reports full paths; the name is what fits beside the log.
    const QString name = QFileInfo(current).fileName();
    current_->setText(name.isEmpty() ? QString() : tr("Converting: %1").arg(name));
    current_->setToolTip(current);
}

void RunProgress::show_summary(const run_tally& tally)
{
    const bool whole = tally.completed && !tally.cancelled;
    bar_->setRange(0, 1);
    bar_->setValue(whole ? 1 : 0);
    bar_->setFormat(tally.cancelled ? tr("Cancelled") : whole ? tr("Finished") : tr("Ended early"));
    QStringList lines{tr("Files %1").arg(tally.files), tr("Outputs written %1").arg(tally.outputs),
                      tr("Failures %1").arg(tally.failures), tr("Not products %1").arg(tally.notProducts)};
    if (tally.cancelled) lines << tr("Cancelled");
    counts_->setText(lines.join(u'\n'));
    counts_->setToolTip(QString::fromStdString(tally.summary()));
    // Failures are what the user must not miss.
    counts_->setStyleSheet(tally.failures > 0 ? QStringLiteral("color: #b00020") : QString());
    current_->clear();
}

void RunProgress::reset()
{
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setFormat(QString());
    counts_->setText(tr("Ready"));
    counts_->setStyleSheet(QString());
    current_->clear();
}

QString RunProgress::counts_text() const { return counts_->text(); }
QString RunProgress::current_text() const { return current_->text(); }

} // namespace vardane
