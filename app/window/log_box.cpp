#include "app/window/log_box.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

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

void LogBox::mark_last_line_failed()
{
    QTextCursor cursor(document()->lastBlock());
    cursor.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat format;
    format.setForeground(failure_colour());
    cursor.mergeCharFormat(format);
}

} // namespace vardane
