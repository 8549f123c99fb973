#include "batch/batch_run.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <unistd.h>

#include "driver/run_messages.h"
#include "driver/working_folder.h"
#include "batch/child_channel.h"
#include "batch/file_time_limit.h"
#include "batch/lost_file.h"
#include "batch/signal_gate.h"
#include "batch/worker_main.h"
#include "util/string_utils.h"

namespace vardane {

namespace fs = std::filesystem;
using steady = std::chrono::steady_clock;

namespace {

// A worker that says nothing for this long after a cancel, or after it was
// told that no task follows, is stuck (in a library call that never
// returns, which no cancel check reaches): it is killed. A live conversion
// reaches its next cancel check well within it; one killed a little early
// loses nothing, since its file is abandoned either way.
constexpr auto kSilenceLimit = std::chrono::seconds(5);
// Also how often the files' time limits are checked.
constexpr int kPollMs = 200;

// An entry of a task's log: a worker's record, or the file its worker did
// not finish.
using task_entry = std::variant<child_record, lost_file>;

enum class task_state { waiting, running, done };

// Files of one base name, converted in input order by one driver run.
struct batch_task {
    std::vector<std::string> files;
    std::size_t started = 0;     // files begun so far
    std::size_t handedOut = 0;   // `started` when the task last went to a worker
    std::size_t fileEntries = 0; // entries before the current file's first one
    std::vector<task_entry> entries;
    std::size_t relayed = 0;
    task_state state = task_state::waiting;
    bool completed = true;
};

struct worker_slot {
    std::unique_ptr<worker_process> process;
    fs::path workFolder;
    std::optional<std::size_t> task;
    bool closing = false;
    steady::time_point heard;
    // The current file's time limit and when it runs out; none without one.
    std::optional<std::chrono::seconds> limit;
    steady::time_point deadline;
    bool timedOut = false;     // killed when the limit ran out
    bool killedSilent = false; // killed for its silence after a cancel
};

std::vector<batch_task> tasks_by_stem(const std::vector<std::string>& files)
{
    std::vector<batch_task> tasks;
    std::map<std::string, std::size_t> taskOfStem;
    for (const auto& file : files) {
        std::error_code ec;
        const fs::path path = fs::absolute(file, ec);
        const auto [it, fresh] = taskOfStem.try_emplace(input_base_name(path.string()), tasks.size());
        if (fresh) tasks.emplace_back();
        tasks[it->second].files.push_back(path.string());
    }
    return tasks;
}

class batch {
public:
    batch(const batch_options& options, const worker_launcher& launcher, const std::vector<std::string>& files,
          batch_sink& sink, batch_reporter* reporter, const batch_cancel* cancel)
        : options_(options), launcher_(launcher), total_(static_cast<int>(files.size())), sink_(sink),
          reporter_(reporter), cancel_(cancel), tasks_(tasks_by_stem(files)),
          slots_(std::min<std::size_t>(static_cast<std::size_t>(std::max(options.jobs, 1)), tasks_.size()))
    {
        if (options.cancelOnSignals) signals_.emplace();
        std::error_code ec;
        output_ = fs::absolute(options.output, ec);
        for (std::size_t i = 0; i < tasks_.size(); ++i) waiting_.push_back(i);
    }

    run_tally run()
    {
        sink_.printNewLog(run_msg::kStart);
        for (;;) {
            dispatch();
            show_ready();
            if (shown_ == tasks_.size() && !any_worker()) break;
            wait_and_take();
            stop_stuck_workers();
        }
        // One cancel line a run, as in one process: workers that were
        // between files when the cancel came never reached a check.
        if (cancelled_ && !cancelShown_) sink_.printLog(run_msg::kCancel);
        if (allCompleted_) sink_.printLog(run_msg::kCompleted);
        sink_.tally.files = total_;
        sink_.tally.completed = allCompleted_;
        sink_.filesBegun = 0;
        for (const auto& task : tasks_) sink_.filesBegun += static_cast<int>(task.started);
        if (cancelled_) {
            sink_.tally.cancelled = true;
            sink_.tally.signal = signal_;
        }
        return sink_.tally;
    }

private:
    bool any_worker() const
    {
        for (const auto& slot : slots_) {
            if (slot.process) return true;
        }
        return false;
    }

    void dispatch()
    {
        for (auto& slot : slots_) {
            if (slot.task || slot.closing) continue;
            if (cancelled_ || waiting_.empty()) {
                if (slot.process) {
                    slot.process->close_tasks();
                    slot.closing = true;
                    slot.heard = steady::now();
                }
                continue;
            }
            if (!slot.process && !start_worker(slot)) continue;
            const std::size_t index = waiting_.front();
            waiting_.pop_front();
            batch_task& task = tasks_[index];
            task.state = task_state::running;
            task.handedOut = task.started;
            task.fileEntries = task.entries.size();
            slot.task = index;
            slot.heard = steady::now();
            // Until the worker says it began the file, the limit runs from now.
            arm_limit(slot, task.files[task.started]);
            const std::vector<std::string> rest(task.files.begin() + static_cast<std::ptrdiff_t>(task.started),
                                                task.files.end());
            // A worker that cannot take it is found dead on its channel.
            slot.process->send_task(encode_task(rest));
        }
    }

    bool start_worker(worker_slot& slot)
    {
        auto process = std::make_unique<worker_process>(launcher_);
        if (!process->started()) {
            // Without a worker the next file cannot be converted: it fails
            // alone, and the next one tries again.
            const std::size_t index = waiting_.front();
            waiting_.pop_front();
            batch_task& task = tasks_[index];
            task.handedOut = task.started;
            task.fileEntries = task.entries.size();
            ++task.started;
            const std::string& file = task.files[task.started - 1];
            abandon_current_file(task, crashed_in(file, "no worker process"), true);
            return false;
        }
        slot.workFolder = process_work_folder(output_, kWorkFolderPrefix, process->pid());
        slot.process = std::move(process);
        slot.closing = false;
        slot.timedOut = false;
        slot.killedSilent = false;
        return true;
    }

    void arm_limit(worker_slot& slot, const std::string& file)
    {
        slot.limit = file_time_limit(options_, file);
        if (slot.limit) slot.deadline = steady::now() + *slot.limit;
    }

    void wait_and_take()
    {
        // The cancel's own descriptors first: -1 (ignored by poll) when
        // there is none.
        std::vector<pollfd> fds{{signals_ ? signals_->fd() : -1, POLLIN, 0},
                                {cancel_ && !cancelled_ ? cancel_->fd() : -1, POLLIN, 0}};
        std::vector<worker_slot*> owners{nullptr, nullptr};
        for (auto& slot : slots_) {
            if (!slot.process) continue;
            fds.push_back({slot.process->channel_fd(), POLLIN, 0});
            owners.push_back(&slot);
        }
        if (::poll(fds.data(), fds.size(), kPollMs) < 0) return;
        if (signals_) {
            for (int signal = signals_->take(); signal != 0; signal = signals_->take()) on_cancel(signal);
        }
        if (cancel_ && !cancelled_ && cancel_->requested()) on_cancel(0);
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (fds[i].revents != 0) take_records(*owners[i]);
        }
    }

    // A cancel request (signal 0) or a cancel signal.
    void on_cancel(int signal)
    {
        if (cancelled_) {
            // Asked twice: the workers end now; their folders are still
            // removed when their ends are read.
            for (auto& slot : slots_) {
                if (slot.process) slot.process->kill(SIGKILL);
            }
            return;
        }
        cancelled_ = true;
        signal_ = signal;
        for (const std::size_t index : waiting_) tasks_[index].state = task_state::done;
        waiting_.clear();
        // A signal to this process alone reaches the workers this way; one
        // to the whole group reached them already, and a second cancel is
        // no news to them.
        for (auto& slot : slots_) {
            if (!slot.process) continue;
            slot.process->close_tasks();
            slot.process->kill(SIGTERM);
            slot.heard = steady::now();
        }
    }

    void take_records(worker_slot& slot)
    {
        std::vector<std::string> lines;
        const bool open = slot.process->read_lines(lines);
        slot.heard = steady::now();
        for (const auto& line : lines) {
            const auto record = decode_record(line);
            if (!record || !slot.task) continue;
            const std::size_t index = *slot.task;
            batch_task& task = tasks_[index];
            if (const auto* file = std::get_if<file_started>(&*record)) {
                ++task.started;
                task.fileEntries = task.entries.size();
                arm_limit(slot, task.files[task.started - 1]);
                if (reporter_) reporter_->started(index, file->path);
            } else if (const auto* end = std::get_if<task_ended>(&*record)) {
                // A file a cancel cut off is not half kept: the outputs it
                // made before the cancel, and those of the steps that still
                // ran after it, go.
                if (current_file_cancelled(task)) discard_outputs(task);
                task.completed = end->completed;
                task.state = task_state::done;
                slot.task.reset();
                slot.limit.reset();
                if (end->retiring) {
                    // No further task for it; a fresh worker takes the next.
                    slot.process->close_tasks();
                    slot.closing = true;
                }
                if (reporter_) reporter_->ended(index, false);
            } else {
                task.entries.emplace_back(*record);
                if (reporter_) reporter_->record(index, *record);
            }
        }
        if (!open) worker_ended(slot);
    }

    void worker_ended(worker_slot& slot)
    {
        const int status = slot.process->reap();
        const bool killedByParent = slot.process->killed_by_parent();
        slot.process.reset();
        slot.closing = false;
        remove_stale_work_folder(slot.workFolder, kWorkFolderPrefix);
        const auto limit = slot.limit;
        slot.limit.reset();
        if (!slot.task) return;
        batch_task& task = tasks_[*slot.task];
        slot.task.reset();
        if (task.started == task.handedOut) ++task.started; // died before the file began
        const std::string& file = task.files[task.started - 1];
        // After a cancel a worker may be killed on purpose; its file was
        // being abandoned anyway, but one stuck past the grace is named.
        if (cancelled_ && slot.killedSilent) sink_.killed_after_cancel(file, kSilenceLimit);
        const bool timedOut = slot.timedOut && limit;
        abandon_current_file(
            task, timedOut ? timed_out_in(file, *limit) : crashed_in(file, ending_of(status, killedByParent)),
            !cancelled_);
    }

    // The file a worker did not finish: its outputs discarded, a failure
    // unless a cancel ended it; the files after it in the task wait for a
    // fresh worker.
    void abandon_current_file(batch_task& task, const lost_file& lost, bool report)
    {
        const std::size_t index = static_cast<std::size_t>(&task - tasks_.data());
        discard_outputs(task);
        if (report) {
            task.entries.emplace_back(lost);
            if (reporter_) reporter_->lost(index, lost);
        } else if (reporter_) {
            reporter_->ended(index, true);
        }
        if (!cancelled_ && task.started < task.files.size()) {
            task.state = task_state::waiting;
            task.handedOut = task.started;
            waiting_.push_front(index);
        } else {
            task.state = task_state::done;
        }
    }

    void discard_outputs(batch_task& task)
    {
        for (std::size_t i = task.entries.size(); i-- > task.fileEntries;) {
            const auto* record = std::get_if<child_record>(&task.entries[i]);
            const auto* event = record ? std::get_if<run_event>(record) : nullptr;
            if (!event || event->type != run_event_type::output_created) continue;
            std::error_code ec;
            fs::remove(event->path, ec);
            if (i < task.relayed) {
                --sink_.tally.outputs;
                --task.relayed;
                sink_.discarded(event->path);
            }
            task.entries.erase(task.entries.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }

    // True when the current file of the task met the driver's cancel check.
    bool current_file_cancelled(const batch_task& task) const
    {
        for (std::size_t i = task.fileEntries; i < task.entries.size(); ++i) {
            const auto* record = std::get_if<child_record>(&task.entries[i]);
            const auto* event = record ? std::get_if<run_event>(record) : nullptr;
            if (event && event->type == run_event_type::cancelled) return true;
        }
        return false;
    }

    // Kills the workers that hang: silent after a cancel or the last task,
    // or still in a file when its time limit runs out. Their ends are read
    // from their channels like any other.
    void stop_stuck_workers()
    {
        const auto now = steady::now();
        for (auto& slot : slots_) {
            if (!slot.process) continue;
            const bool mustEnd = cancelled_ || slot.closing;
            if (mustEnd && now - slot.heard > kSilenceLimit) {
                slot.process->kill(SIGKILL);
                slot.heard = now;
                slot.killedSilent = slot.task.has_value();
            } else if (!cancelled_ && slot.task && slot.limit && !slot.timedOut && now >= slot.deadline) {
                slot.process->kill(SIGKILL);
                slot.timedOut = true;
            }
        }
    }

    void show_ready()
    {
        while (shown_ < tasks_.size()) {
            batch_task& task = tasks_[shown_];
            for (; task.relayed < task.entries.size(); ++task.relayed) relay(task.entries[task.relayed]);
            if (task.state != task_state::done) return;
            if (!task.completed) {
                allCompleted_ = false;
                sink_.show_if_quiet(sink_.last_line());
            }
            filesShown_ += static_cast<int>(task.files.size());
            ++shown_;
            sink_.progress(filesShown_, total_, shown_ < tasks_.size() ? tasks_[shown_].files.front() : "");
        }
    }

    void relay(const task_entry& entry)
    {
        if (const auto* record = std::get_if<child_record>(&entry)) {
            // Every worker that was converting logs its own cancel line.
            const auto* line = std::get_if<std::string>(record);
            const bool cancelLine = line && *line == run_msg::kCancel;
            if (cancelLine && cancelShown_) return;
            cancelShown_ = cancelShown_ || cancelLine;
            sink_.relay(*record);
        } else {
            sink_.lost(std::get<lost_file>(entry));
        }
    }

    const batch_options& options_;
    const worker_launcher& launcher_;
    const int total_;
    batch_sink& sink_;
    batch_reporter* reporter_;
    const batch_cancel* cancel_;
    fs::path output_;
    std::vector<batch_task> tasks_;
    std::deque<std::size_t> waiting_;
    std::vector<worker_slot> slots_;
    std::optional<signal_gate> signals_;
    bool cancelled_ = false;
    int signal_ = 0; // the signal that cancelled, if one did
    std::size_t shown_ = 0;
    int filesShown_ = 0;
    bool allCompleted_ = true;
    bool cancelShown_ = false;
};

} // namespace

run_tally run_batch(const batch_options& options, const worker_launcher& launcher,
                    const std::vector<std::string>& files, batch_sink& sink, batch_reporter* reporter,
                    const batch_cancel* cancel)
{
    return batch(options, launcher, files, sink, reporter, cancel).run();
}

} // namespace vardane
