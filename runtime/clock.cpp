#include "runtime/clock.h"

#include "runtime/failure.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

namespace talmiron {

DateTime LocalNow() {
#ifdef _WIN32
    SYSTEMTIME now;
    GetLocalTime(&now);
    return DateTime::FromCivil({now.wYear, now.wMonth, now.wDay},
                               {now.wHour, now.wMinute, now.wSecond});
#else
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    if (seconds == static_cast<std::time_t>(-1) || localtime_r(&seconds, &local) == nullptr) {
        RaiseFailure(kInvalidProcedureCall);
    }
    // A leap second is shown as the last second of its minute.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return DateTime::FromCivil(
        {std::int64_t{local.tm_year} + 1900, local.tm_mon + 1, local.tm_mday},
        {local.tm_hour, local.tm_min, second});
#endif
}

} // namespace talmiron
