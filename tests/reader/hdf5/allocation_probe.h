#pragma once

#include <cstddef>

namespace vardane {

// Largest single operator-new request or anonymous mapping made while a
// probe is active (the test executable that links allocation_probe.cpp
// replaces the global operator new and mmap: large sample arrays are mapped
// directly).
namespace alloc_probe {

void start();
std::size_t largest();
void stop();

} // namespace alloc_probe

} // namespace vardane
