#pragma once

#include <QTreeWidget>

namespace vardane {

// Under the run summary: one row per failure of the current or last run,
// so that a user finds what went wrong without reading the whole log.
// Columns: the file concerned (its name; the full path in the tool tip),
// what failed (the log line the failure went with) and the cause. Hidden
// while there is nothing to show. Enter or a double-click on a row asks for
// its log line to be shown.
class FailuresList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FailuresList(QWidget* parent = nullptr);

    // One failure: the file it concerns (full path, may be empty), the log
    // line it went with, that line's number in the log, and the cause.
    void add_failure(const QString& file, const QString& logLine, int lineNumber, const QString& cause);
    // Empties and hides the list (a new run starts).
    void clear_failures();

    int failure_count() const { return topLevelItemCount(); }

    // As tall as its rows, up to a few; the log keeps the rest.
    QSize sizeHint() const override;

signals:
    // The user asked to see the log line of a row.
    void lineRequested(int lineNumber);

private:
    // Makes `column` as wide as its contents, up to `limit` pixels.
    void widen_to_contents(int column, int limit);
};

} // namespace vardane
