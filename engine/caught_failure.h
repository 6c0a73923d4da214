// What the catch-all handlers report for a fault: its failure number and
// description.
#pragma once

#include "runtime/text.h"

#include <cstdint>

namespace talmiron {

struct CaughtFailure {
    std::int32_t number;
    Text description;
};

// The failure being handled; call only inside a catch block. An allocation
// failure is failure 7; anything that is no run-time failure is failure 51.
CaughtFailure CurrentFailure();

} // namespace talmiron
