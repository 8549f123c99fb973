#include "app/window/run_progress.h"

#include <algorithm>

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

RunProgress::RunProgress(QWidget* parent)
    : QWidget(parent)
    , bar_(new QProgressBar(this))
    , counts_(new QLabel(this))
    , current_(new QLabel(this))
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
    // The driver reports full paths; the name is what fits beside the log.
    const QString name = QFileInfo(current).fileName();
    current_->setText(name.isEmpty() ? QString() : tr("Converting: %1").arg(name));
    current_->setToolTip(current);
}

void RunProgress::reset()
{
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setFormat(QString());
    counts_->setText(tr("Ready"));
    current_->clear();
}

QString RunProgress::counts_text() const { return counts_->text(); }
QString RunProgress::current_text() const { return current_->text(); }
