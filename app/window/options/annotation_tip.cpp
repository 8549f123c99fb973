#include "app/window/options/annotation_tip.h"

#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

namespace vardane {

namespace {

QWidget* make_balloon()
{
    auto* balloon = new QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    balloon->setObjectName(QStringLiteral("annotationBalloon"));
    balloon->setAttribute(Qt::WA_ShowWithoutActivating);
    balloon->setAutoFillBackground(true);
    balloon->setBackgroundRole(QPalette::ToolTipBase);
    balloon->setForegroundRole(QPalette::ToolTipText);

    auto* icon = new QLabel(balloon);
    const int size = balloon->style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(balloon->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    auto* title = new QLabel(QStringLiteral("Annotation"), balloon);
    title->setObjectName(QStringLiteral("annotationTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* text = new QLabel(balloon);
    text->setObjectName(QStringLiteral("annotationText"));

    auto* heading = new QHBoxLayout;
    heading->addWidget(icon);
    heading->addWidget(title, 1);
    auto* column = new QVBoxLayout(balloon);
    column->setContentsMargins(8, 6, 8, 6);
    column->addLayout(heading);
    column->addWidget(text);
    return balloon;
}

} // namespace

AnnotationTip::AnnotationTip(QObject* parent) : QObject(parent)
{
    showTimer_.setSingleShot(true);
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(kAutoPopDelayMs);
    connect(&showTimer_, &QTimer::timeout, this, &AnnotationTip::show_balloon);
    connect(&hideTimer_, &QTimer::timeout, this, &AnnotationTip::hide_balloon);
}

AnnotationTip::~AnnotationTip() { delete balloon_; }

void AnnotationTip::attach(QWidget* control, const QString& text)
{
    control->setToolTip(text);
    control->installEventFilter(this);
}

QWidget* AnnotationTip::balloon() const { return balloon_ && balloon_->isVisible() ? balloon_ : nullptr; }

bool AnnotationTip::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::Enter: {
        const bool recentlyShown = sinceHidden_.isValid() && sinceHidden_.elapsed() < kInitialDelayMs;
        target_ = control;
        showTimer_.start(recentlyShown ? kReshowDelayMs : kInitialDelayMs);
        break;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Hide:
        if (control == target_) {
            showTimer_.stop();
            hide_balloon();
        }
        break;
    case QEvent::ToolTip: return true; // the balloon replaces the toolkit's own tip
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void AnnotationTip::show_balloon()
{
    if (!target_) return;
    if (!balloon_) balloon_ = make_balloon();
    balloon_->findChild<QLabel*>(QStringLiteral("annotationText"))->setText(target_->toolTip());
    balloon_->adjustSize();
    balloon_->move(QCursor::pos() + QPoint(12, 18));
    balloon_->show();
    hideTimer_.start();
}

void AnnotationTip::hide_balloon()
{
    hideTimer_.stop();
    if (balloon_ && balloon_->isVisible()) {
        balloon_->hide();
        sinceHidden_.start();
    }
}

} // namespace vardane
