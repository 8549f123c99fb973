#include "batch/worker_sink.h"

#include <cerrno>
#include <cstdint>
#include <new>
#include <sys/eventfd.h>
#include <unistd.h>

#include "driver/run_messages.h"
#include "batch/test_hang_hook.h"

namespace vardane {

worker_sink::worker_sink(int channelFd, std::function<std::string()> productKind)
    : fd_(channelFd), productKind_(std::move(productKind)), endedFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

worker_sink::~worker_sink()
{
    if (endedFd_ >= 0) ::close(endedFd_);
}

void worker_sink::ChangeRunMode(bool running)
{
    std::uint64_t count = 0;
    if (running) {
        while (::read(endedFd_, &count, sizeof count) > 0) {}
    } else {
        count = 1;
        [[maybe_unused]] const auto written = ::write(endedFd_, &count, sizeof count);
    }
    runEnded_ = !running;
}

void worker_sink::send(const child_record& record)
{
    const std::string line = encode_record(record) + '\n';
    std::size_t written = 0;
    while (connected_ && written < line.size()) {
        const ssize_t n = ::write(fd_, line.data() + written, line.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            connected_ = false;
        }
    }
}

void worker_sink::printLog(const std::string& text)
{
    if (text != run_msg::kCompleted) send(text);
}

// The start line is the only line a run begins with printNewLog.
void worker_sink::printNewLog(const std::string&) {}

void worker_sink::progress(int, int, const std::string& current)
{
    if (current.empty()) return;
    currentFile_ = current;
    send(file_started{current});
}

void worker_sink::report(const run_event& event)
{
    // The driver's cause for a std::bad_alloc, or the exception's own text
    // where a reader passes it on.
    if (event.why.cause == "out of memory" || event.why.cause == std::bad_alloc().what()) memoryFailed_ = true;
    if (event.type != run_event_type::recognised || !event.kind.empty() || !productKind_) {
        send(event);
    } else {
        run_event named = event;
        named.kind = productKind_();
        send(named);
    }
    if (event.type == run_event_type::output_created) hang_if_asked(currentFile_);
}

} // namespace vardane
