#include "bench/allocation_count.h"

#include <cstdlib>
#include <new>

namespace {

// One thread runs the benchmarks: plain counters do.
talmiron::bench::AllocationCount counted{};

} // namespace

talmiron::bench::AllocationCount talmiron::bench::Allocations() noexcept {
    return counted;
}

void* operator new(std::size_t size) {
    ++counted.calls;
    counted.bytes += size;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
