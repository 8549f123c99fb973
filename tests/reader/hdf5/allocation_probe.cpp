#include "reader/hdf5/allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> active{false};
std::atomic<std::size_t> peak{0};

void* allocate(std::size_t size)
{
    if (active.load(std::memory_order_relaxed)) {
        std::size_t seen = peak.load(std::memory_order_relaxed);
        while (size > seen && !peak.compare_exchange_weak(seen, size)) {
        }
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace alloc_probe {

void start()
{
    peak = 0;
    active = true;
}

std::size_t largest() { return peak.load(); }

void stop() { active = false; }

} // namespace alloc_probe
