#include "app/window/log_box.h"

#include <QHelpEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

namespace vardane {

LogBox::LogBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

bool LogBox::is_failure_line(const QString& text)
{
    return text.startsWith(QLatin1String("Fail in ")) || text.endsWith(QLatin1String("Skipped."))
           || text.startsWith(QLatin1String("cannot open file: "));
}

QColor LogBox::failure_colour() { return QColor(0xb0, 0x00, 0x20); }

void LogBox::append_line(const QString& text)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (!document()->isEmpty()) cursor.insertBlock();
    QTextCharFormat format;
    if (is_failure_line(text)) format.setForeground(failure_colour());
    cursor.insertText(text, format);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogBox::mark_last_line_failed(const QString& cause, const QString& file)
{
    QTextCursor cursor(document()->lastBlock());
    cursor.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat format;
    format.setForeground(failure_colour());
    QStringList why;
    if (!cause.isEmpty()) why << cause;
    if (!file.isEmpty()) why << file;
    if (!why.isEmpty()) format.setToolTip(why.join(u'\n'));
    cursor.mergeCharFormat(format);
}

bool LogBox::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = cursorForPosition(help->pos()).charFormat().toolTip();
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport());
        }
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

} // namespace vardane
