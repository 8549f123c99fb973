#include "app/window/log_box.h"

#include <QHelpEvent>
#include <QSaveFile>
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

int LogBox::last_line_number() const { return document()->blockCount() - 1; }

QString LogBox::last_line() const { return document()->lastBlock().text(); }

void LogBox::show_line(int lineNumber)
{
    const QTextBlock block = document()->findBlockByNumber(lineNumber);
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    centerCursor();
    setFocus(Qt::OtherFocusReason);
}

QString LogBox::save_to(const QString& path) const
{
    // Written aside and renamed into place: a failed save leaves an older
    // file of that name as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return file.errorString();
    QByteArray text = toPlainText().toUtf8();
    if (!text.isEmpty()) text += '\n';
    if (file.write(text) != text.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) return file.errorString();
    return {};
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
