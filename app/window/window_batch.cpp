#include "app/window/window_batch.h"

#include <filesystem>
#include <unistd.h>

#include <QFile>
#include <QMetaObject>

#include "app/window/main_form.h"
#include "batch/batch_run.h"
#include "batch/batch_sink.h"
#include "batch/worker_program.h"
#include "driver/run_messages.h"

namespace vardane {

namespace {

QString to_qstring(const std::string& s) { return QString::fromStdString(s); }
QString to_qpath(const std::string& path) { return QFile::decodeName(path.c_str()); }

// The pool's reports, posted to the window's UI thread. Posts are queued
// and run in the order made, so the log shows the lines as the pool did.
class window_sink final : public batch_sink {
public:
    window_sink(MainForm& form, const batch_cancel& cancel) : form_(form), cancel_(cancel) {}

    void printNewLog(const std::string& text) override
    {
        lastLine_ = text;
        post([form = &form_, line = to_qstring(text)] { form->printNewLog(line); });
    }

    void printLog(const std::string& text) override
    {
        lastLine_ = text;
        // A run that was cancelled did not complete, whatever the driver's
        // own frame says: the window's log does not end "Completed.".
        if (text == run_msg::kCompleted && (tally.cancelled || cancel_.requested())) return;
        post([form = &form_, line = to_qstring(text)] { form->printLog(line); });
    }

    void relay(const child_record& record) override
    {
        if (const auto* line = std::get_if<std::string>(&record)) {
            printLog(*line);
        } else if (const auto* event = std::get_if<run_event>(&record)) {
            tally.count(*event);
            if (event->type == run_event_type::output_created)
                post([form = &form_, path = to_qpath(event->path)] { form->append_outputList(path); });
            post([form = &form_, e = *event] { form->count_event(e); });
        }
    }

    void lost(const lost_file& file) override
    {
        ++tally.failures;
        const std::string name = std::filesystem::path(file.path).filename().string();
        printLog(name + ": " + file.line + "; outputs of this file discarded");
        // The failure names the file its worker did not finish, and why.
        const run_event event{run_event_type::failure, run_msg::kKindProduct, file.path, failure{file.path, file.line}};
        post([form = &form_, event] { form->count_event(event); });
    }

    void killed_after_cancel(const std::string& path, std::chrono::seconds grace) override
    {
        printLog(std::filesystem::path(path).filename().string() + ": still converting " + std::to_string(grace.count())
                 + " s after the cancel; its worker was stopped");
    }

    void discarded(const std::string& path) override
    {
        post([form = &form_, p = to_qpath(path)] { form->output_discarded(p); });
    }

    void progress(int done, int total, const std::string& current) override
    {
        post([form = &form_, done, total, file = to_qpath(current)] { form->show_progress(done, total, file); });
    }

    const std::string& last_line() const override { return lastLine_; }

    template <typename Call>
    void post(Call&& call)
    {
        QMetaObject::invokeMethod(&form_, std::forward<Call>(call), Qt::QueuedConnection);
    }

private:
    MainForm& form_;
    const batch_cancel& cancel_;
    std::string lastLine_;
};

} // namespace

window_batch::~window_batch()
{
    cancel();
    join();
}

void window_batch::start(const batch_options& options, const std::string& program, std::vector<std::string> files)
{
    join();
    cancel_ = std::make_unique<batch_cancel>();
    thread_ = std::thread(&window_batch::run, this, options, program, std::move(files));
}

void window_batch::cancel() noexcept
{
    if (cancel_) cancel_->request();
}

bool window_batch::cancel_requested() const noexcept { return cancel_ && cancel_->requested(); }

void window_batch::join()
{
    if (thread_.joinable()) thread_.join();
}

void window_batch::run(batch_options options, std::string program, std::vector<std::string> files)
{
    window_sink sink(form_, *cancel_);
    const worker_launcher launcher{{}, worker_arguments(program, options, ::getpid())};
    const run_tally tally = run_batch(options, launcher, files, sink, nullptr, cancel_.get());
    const batch_outcome outcome{sink.filesBegun, tally.completed, tally.cancelled || cancel_->requested()};
    sink.post([form = &form_, outcome] { form->run_ended(outcome); });
}

} // namespace vardane
