#pragma once

namespace vardane {

// A cancel request for a running batch that any thread can make: the batch
// polls its descriptor beside its workers' channels. Once made, it stays.
class batch_cancel {
public:
    batch_cancel();
    ~batch_cancel();
    batch_cancel(const batch_cancel&) = delete;
    batch_cancel& operator=(const batch_cancel&) = delete;

    // Safe from any thread, and more than once.
    void request() noexcept;
    bool requested() const noexcept;
    // Readable once requested.
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

} // namespace vardane
