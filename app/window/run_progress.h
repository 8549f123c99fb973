#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace vardane {

struct run_tally;

// How a run ended, as the panel shows it. Anything but `finished` is a
// warning: the user did not get everything the run was asked for.
enum class run_outcome {
    finished,        // every file done, something written, nothing failed
    failures,        // done, but some outputs or files failed
    nothing_written, // done without a failure, yet no output was made
    cancelled,       // the user stopped the run
    ended_early,     // the run stopped without its last line
};
run_outcome outcome_of(const run_tally& tally);
// The words on the bar: "Finished", "Finished with 3 failures", ...
QString outcome_text(const run_tally& tally);

// Beside the log box while a run is active: how many files are done of how
// many, and the file now being converted. After a run, its outcome (the
// counts the command line prints) until the next run; "Ready" before the
// first. An outcome short of `finished` turns the bar amber.
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
    QString bar_text() const;
    // True while the panel shows a run that did not give all it was asked for.
    bool warning_shown() const { return warning_; }

private:
    void set_warning(bool warning);

    QProgressBar* bar_;
    QLabel* counts_;
    QLabel* current_;
    bool warning_ = false;
};

} // namespace vardane
