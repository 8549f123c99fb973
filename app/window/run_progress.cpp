#include "app/window/run_progress.h"

#include <algorithm>

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "driver/run_tally.h"

namespace vardane {

namespace {

// Amber, with dark text on it: a warning, not an error.
const QColor kWarningBar(0xf0, 0xa0, 0x20);
const QColor kWarningBarText(Qt::black);

} // namespace

run_outcome outcome_of(const run_tally& tally)
{
    if (tally.cancelled) return run_outcome::cancelled;
    if (!tally.completed) return run_outcome::ended_early;
    if (tally.failures > 0) return run_outcome::failures;
    if (tally.outputs == 0) return run_outcome::nothing_written;
    return run_outcome::finished;
}

QString outcome_text(const run_tally& tally)
{
    switch (outcome_of(tally)) {
    case run_outcome::finished: return RunProgress::tr("Finished");
    case run_outcome::failures:
        return tally.failures == 1 ? RunProgress::tr("Finished with 1 failure")
                                   : RunProgress::tr("Finished with %1 failures").arg(tally.failures);
    case run_outcome::nothing_written: return RunProgress::tr("Nothing written");
    case run_outcome::cancelled: return RunProgress::tr("Cancelled");
    case run_outcome::ended_early: return RunProgress::tr("Ended early");
    }
    return {};
}

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
    set_warning(false);
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
    // A run that went through its files fills the bar; one that stopped
    // keeps it where it stopped.
    if (tally.completed && !tally.cancelled) {
        bar_->setRange(0, 1);
        bar_->setValue(1);
    }
    bar_->setFormat(outcome_text(tally));
    set_warning(outcome_of(tally) != run_outcome::finished);
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
    set_warning(false);
    counts_->setText(tr("Ready"));
    counts_->setStyleSheet(QString());
    current_->clear();
}

QString RunProgress::counts_text() const { return counts_->text(); }
QString RunProgress::current_text() const { return current_->text(); }
QString RunProgress::bar_text() const { return bar_->text(); }

void RunProgress::set_warning(bool warning)
{
    warning_ = warning;
    QPalette pal = palette();
    if (warning) {
        pal.setColor(QPalette::Highlight, kWarningBar);
        pal.setColor(QPalette::HighlightedText, kWarningBarText);
    }
    bar_->setPalette(pal);
    bar_->setAccessibleDescription(warning ? bar_->format() : QString());
}

} // namespace vardane
