// Every allocation of the benchmark program, counted by its replaced global
// operator new.
#pragma once

#include <cstddef>

namespace talmiron::bench {

struct AllocationCount {
    std::size_t calls;
    std::size_t bytes;
};

AllocationCount Allocations() noexcept;

} // namespace talmiron::bench
