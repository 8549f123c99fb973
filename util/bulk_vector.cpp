#include "util/bulk_vector.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <vector>

namespace vardane {

namespace bulk_memory {
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

// Freed blocks kept for the next plane of the same size. A conversion makes
// several planes of one size in turn (the read, the raster it becomes, the
// next variable's), and a worker converts file after file of the same
// grids: a kept block is reused without a single page fault, where a fresh
// one has every page cleared by the kernel first. Bounded, so that a run
// of mixed sizes holds no more than this much memory it does not use.
constexpr std::size_t kKeptBlocks = 4;
constexpr std::size_t kKeptBytes = std::size_t(256) << 20;

struct kept_block {
    void* block;
    std::size_t length;
};

class block_store {
public:
    void* take(std::size_t length)
    {
        const std::lock_guard<std::mutex> hold(lock_);
        const auto it =
            std::find_if(kept_.begin(), kept_.end(), [length](const kept_block& k) { return k.length == length; });
        if (it == kept_.end()) return nullptr;
        void* block = it->block;
        bytes_ -= it->length;
        kept_.erase(it);
        return block;
    }

    bool keep(void* block, std::size_t length)
    {
        const std::lock_guard<std::mutex> hold(lock_);
        if (kept_.size() >= kKeptBlocks || bytes_ + length > kKeptBytes) return false;
        kept_.push_back({block, length});
        bytes_ += length;
        return true;
    }

private:
    std::mutex lock_;
    std::vector<kept_block> kept_;
    std::size_t bytes_ = 0;
};

block_store& store()
{
    // Never destroyed: blocks may be freed by other static objects' destructors.
    static auto* s = new block_store;
    return *s;
}

std::size_t whole_huge_pages(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

} // namespace

void* map(std::size_t bytes)
{
    // Over-map by one huge page, then trim both ends so that the block
    // starts on a huge-page boundary and ends on one.
    const std::size_t length = whole_huge_pages(bytes);
    if (length < bytes || length + kHugePage < length) throw std::bad_alloc();
    if (void* kept = store().take(length)) return kept;
    void* raw = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto base = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t start = (base + kHugePage - 1) / kHugePage * kHugePage;
    if (start > base) ::munmap(raw, start - base);
    const std::uintptr_t tail = start + length;
    if (tail < base + length + kHugePage) ::munmap(reinterpret_cast<void*>(tail), base + length + kHugePage - tail);
    return reinterpret_cast<void*>(start);
}

void unmap(void* block, std::size_t bytes) noexcept
{
    const std::size_t length = whole_huge_pages(bytes);
    bool kept = false;
    try {
        kept = store().keep(block, length);
    } catch (...) {
        // No room to note it: the block goes back to the system.
    }
    if (!kept) ::munmap(block, length);
}

} // namespace bulk_memory

} // namespace vardane
