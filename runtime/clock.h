// The system clock in local time.
#pragma once

#include "runtime/calendar_date_time.h"

namespace talmiron {

// One reading of the local date and time, to the whole second. A clock set
// outside the range of dates raises failure 5.
DateTime LocalNow();

} // namespace talmiron
