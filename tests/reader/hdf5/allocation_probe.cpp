#include "reader/hdf5/allocation_probe.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vardane {

namespace {

std::atomic<bool> active{false};
std::atomic<std::size_t> peak{0};

void note(std::size_t size)
{
    if (active.load(std::memory_order_relaxed)) {
        std::size_t seen = peak.load(std::memory_order_relaxed);
        while (size > seen && !peak.compare_exchange_weak(seen, size)) {}
    }
}

void* allocate(std::size_t size)
{
    note(size);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

} // namespace

} // namespace vardane

// Replacements of the global allocation functions count every allocation.
void* operator new(std::size_t size) { return vardane::allocate(size); }
void* operator new[](std::size_t size) { return vardane::allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

extern "C" void* mmap(void* addr, std::size_t length, int prot, int flags, int fd, off_t offset)
{
    if ((flags & MAP_ANONYMOUS) != 0) vardane::note(length);
    const long result = ::syscall(SYS_mmap, addr, length, prot, flags, fd, offset);
    if (result < 0 && result > -4096) {
        errno = static_cast<int>(-result);
        return MAP_FAILED;
    }
    return reinterpret_cast<void*>(result);
}

namespace vardane::alloc_probe {

void start()
{
    peak = 0;
    active = true;
}

std::size_t largest() { return peak.load(); }

void stop() { active = false; }

} // namespace vardane::alloc_probe
