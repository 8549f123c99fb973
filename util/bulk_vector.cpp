#include "util/bulk_vector.h"

#include <cstdint>
#include <sys/mman.h>

namespace bulk_memory {
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::size_t whole_huge_pages(std::size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

} // namespace

void* map(std::size_t bytes)
{
    // Over-map by one huge page, then trim both ends so that the block
    // starts on a huge-page boundary and ends on one.
    const std::size_t length = whole_huge_pages(bytes);
    if (length < bytes || length + kHugePage < length) throw std::bad_alloc();
    void* raw = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto base = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t start = (base + kHugePage - 1) / kHugePage * kHugePage;
    if (start > base) ::munmap(raw, start - base);
    const std::uintptr_t tail = start + length;
    if (tail < base + length + kHugePage) ::munmap(reinterpret_cast<void*>(tail), base + length + kHugePage - tail);
    void* block = reinterpret_cast<void*>(start);
    // Only a hint: without transparent huge pages the block works the same.
    ::madvise(block, length, MADV_HUGEPAGE);
    return block;
}

void unmap(void* block, std::size_t bytes) noexcept
{
    ::munmap(block, whole_huge_pages(bytes));
}

} // namespace bulk_memory
