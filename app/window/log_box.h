#pragma once

#include <QPlainTextEdit>

namespace vardane {

// The run log: read-only, one line per message, scrolled to the newest line.
// Lines that tell of a failure stand out in a colour of their own. The
// box takes the keyboard focus so that the log can be scrolled and copied
// without a mouse.
class LogBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogBox(QWidget* parent = nullptr);

    void append_line(const QString& text);
    // Shows the last line as a failure (the line a failure event goes with);
    // its tool tip names the cause and the file concerned, which the line
    // itself does not say.
    void mark_last_line_failed(const QString& cause, const QString& file);

    // The number (from 0) and text of the last line, the one a failure
    // event goes with.
    int last_line_number() const;
    QString last_line() const;
    // Scrolls to a line, selects it and takes the focus.
    void show_line(int lineNumber);

    // Writes the log's lines to a file, UTF-8, one line per line. Returns
    // "" on success, otherwise why the file could not be written.
    QString save_to(const QString& path) const;

    // True for the lines that report something not made: "Fail in ...",
    // "... Skipped.", "cannot open file: ...".
    static bool is_failure_line(const QString& text);
    static QColor failure_colour();

protected:
    // Shows the tool tip of the text under the pointer.
    bool viewportEvent(QEvent* event) override;
};

} // namespace vardane
