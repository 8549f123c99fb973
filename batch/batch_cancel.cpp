#include "batch/batch_cancel.h"

#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vardane {

batch_cancel::batch_cancel() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

batch_cancel::~batch_cancel()
{
    if (fd_ >= 0) ::close(fd_);
}

void batch_cancel::request() noexcept
{
    // The counter is never read down: the descriptor stays readable.
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(fd_, &one, sizeof one);
}

bool batch_cancel::requested() const noexcept
{
    pollfd fd{fd_, POLLIN, 0};
    return ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN) != 0;
}

} // namespace vardane
