#include "app/window/folder_box.h"

#include <QKeyEvent>

namespace vardane {

void FolderBox::focusInEvent(QFocusEvent* event)
{
    prevText_ = text();
    QLineEdit::focusInEvent(event);
}

void FolderBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (completer, context menu) takes the focus only for a moment.
    if (event->reason() == Qt::PopupFocusReason) return;
    if (!enterFlag_ && text() != prevText_) emit applyRequested(text());
    enterFlag_ = false;
}

void FolderBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit applyRequested(text());
        enterFlag_ = true;
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FolderBox::set_problem(const QString& reason)
{
    if (problem_.isEmpty()) usualTip_ = toolTip();
    problem_ = reason;
    setStyleSheet(reason.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 2px solid #b00020; }"));
    setToolTip(reason.isEmpty() ? usualTip_ : reason);
}

} // namespace vardane
