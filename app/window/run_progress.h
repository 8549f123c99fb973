#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace vardane {

struct run_tally;

// Beside the log box while a run is active: how many files are done of how
// many, and the file now being converted. After a run, its outcome (the
// counts the command line prints) until the next run; "Ready" before the
// first.
class RunProgress : public QWidget {
    Q_OBJECT
public:
    explicit RunProgress(QWidget* parent = nullptr);

    void show_progress(int done, int total, const QString& current);
    void show_summary(const run_tally& tally);
    void reset();

    // What the panel shows, for the status line and tests.
    QString counts_text() const;
    QString current_text() const;

private:
    QProgressBar* bar_;
    QLabel* counts_;
    QLabel* current_;
};

} // namespace vardane
