#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace vardane {

// Storage for the large sample arrays: the planes a read delivers and the
// output raster. Two things set them apart from a plain std::vector:
//
// - Growing does not clear: every element is written by the read or the
//   copy that follows, and clearing a global 0.1-degree grid only to
//   overwrite it costs as much as the copy itself.
// - Blocks of a megabyte or more come straight from the kernel, aligned to
//   huge pages. A fresh 26 MB plane takes some six thousand page faults on
//   first touch, which on a virtual machine cost more than reading the
//   product: a few freed blocks are kept for the next plane of the same
//   size, so that the planes of a conversion, and the files of a batch,
//   take memory that is already mapped and populated. The blocks are not
//   marked for huge pages: where the kernel compacts memory to find a huge
//   page for every fault in a marked block (Debian's default), a Python
//   session keeping each plane it reads, and so taking fresh memory for
//   every one, read a 65 MB scene's 33 planes in four times h5py's time.
//   Where the kernel hands out huge pages unasked, the alignment lets it.
//
// Values given explicitly (assign(n, v), resize(n, v)) are written as usual.

namespace bulk_memory {

// Blocks at least this large are mapped on their own; smaller ones come from
// the heap.
inline constexpr std::size_t kMappedFrom = std::size_t(1) << 20;

// A block of `bytes` (at least kMappedFrom), of undefined content; throws
// std::bad_alloc when the address space is exhausted.
void* map(std::size_t bytes);
// Returns a block from map() of the same size, to be kept or unmapped.
void unmap(void* block, std::size_t bytes) noexcept;

} // namespace bulk_memory

template <class T>
class bulk_allocator {
public:
    using value_type = T;

    bulk_allocator() noexcept = default;
    template <class U>
    bulk_allocator(const bulk_allocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n)
    {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= bulk_memory::kMappedFrom) return static_cast<T*>(bulk_memory::map(bytes));
        return std::allocator<T>().allocate(n);
    }

    void deallocate(T* p, std::size_t n) noexcept
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= bulk_memory::kMappedFrom) {
            bulk_memory::unmap(p, bytes);
        } else {
            std::allocator<T>().deallocate(p, n);
        }
    }

    // Default-initialisation: a trivial element is left as it is.
    template <class U>
    void construct(U* p) noexcept(noexcept(::new (static_cast<void*>(p)) U))
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const bulk_allocator<U>&) const noexcept
    {
        return true;
    }
};

template <class T>
using bulk_vector = std::vector<T, bulk_allocator<T>>;

// Empties v and hands its block back for the next plane. `v = {}` does not:
// it picks the initializer-list assignment, which keeps the capacity.
template <class T>
void release(bulk_vector<T>& v) noexcept
{
    bulk_vector<T>().swap(v);
}

} // namespace vardane
