// Functions on dates: the clock readings, calendar arithmetic and the parts
// of a date. Dates come and go as date texts (runtime/date_text.h).
#include "functions/arguments.h"
#include "functions/named_computation.h"
#include "runtime/calendar_date_time.h"
#include "runtime/clock.h"
#include "runtime/date_text.h"
#include "runtime/failure.h"

#include <array>
#include <cassert>

namespace talmiron {

namespace {

using Arguments = std::span<const Value>;

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

// The interval codes, matched without regard to case. Only ASCII letters
// fold, so no other character can pass for a code letter.
Interval ReadInterval(TextView code) {
    struct Entry {
        TextView code;
        Interval interval;
    };
    constexpr std::array kCodes = {
        Entry{u"yyyy", Interval::Year}, Entry{u"q", Interval::Quarter},
        Entry{u"m", Interval::Month},   Entry{u"y", Interval::DayOfYear},
        Entry{u"d", Interval::Day},     Entry{u"w", Interval::Weekday},
        Entry{u"ww", Interval::Week},   Entry{u"h", Interval::Hour},
        Entry{u"n", Interval::Minute},  Entry{u"s", Interval::Second},
    };
    Text folded(code);
    for (char16_t& c : folded) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    for (const Entry& entry : kCodes) {
        if (entry.code == folded) {
            return entry.interval;
        }
    }
    RaiseFailure(kInvalidProcedureCall);
}

bool CountsTime(Interval interval) noexcept {
    return interval == Interval::Hour || interval == Interval::Minute ||
           interval == Interval::Second;
}

std::int64_t QuarterOf(const CivilDate& date) noexcept {
    return (date.month - 1) / 3 + 1;
}

// The numbered part of a moment that the interval names.
std::int64_t Part(Interval interval, const DateTime& moment) {
    const CivilDate date = moment.Date();
    const ClockTime time = moment.Time();
    switch (interval) {
    case Interval::Year:
        return date.year;
    case Interval::Quarter:
        return QuarterOf(date);
    case Interval::Month:
        return date.month;
    case Interval::DayOfYear:
        return DayOfYear(moment.DayNumber());
    case Interval::Day:
        return date.day;
    case Interval::Weekday:
        return Weekday(moment.DayNumber());
    case Interval::Week:
        return WeekOfYear(moment.DayNumber());
    case Interval::Hour:
        return time.hour;
    case Interval::Minute:
        return time.minute;
    case Interval::Second:
        return time.second;
    }
    RaiseFailure(kInternalError);
}

// Every unit is counted by the boundaries it has between the two moments,
// except "w", which counts whole weeks of seven days.
std::int64_t Difference(Interval interval, const DateTime& from, const DateTime& to) {
    const CivilDate a = from.Date();
    const CivilDate b = to.Date();
    const std::int64_t days = to.DayNumber() - from.DayNumber();
    switch (interval) {
    case Interval::Year:
        return b.year - a.year;
    case Interval::Quarter:
        return (b.year * 4 + QuarterOf(b)) - (a.year * 4 + QuarterOf(a));
    case Interval::Month:
        return (b.year * 12 + b.month) - (a.year * 12 + a.month);
    case Interval::DayOfYear:
    case Interval::Day:
        return days;
    case Interval::Weekday:
        return days / 7; // truncated towards zero
    case Interval::Week:
        return WeekStartsUpTo(to.DayNumber()) - WeekStartsUpTo(from.DayNumber());
    case Interval::Hour:
        return FloorDivide(to.TotalSeconds(), 3600) - FloorDivide(from.TotalSeconds(), 3600);
    case Interval::Minute:
        return FloorDivide(to.TotalSeconds(), 60) - FloorDivide(from.TotalSeconds(), 60);
    case Interval::Second:
        return to.TotalSeconds() - from.TotalSeconds();
    }
    RaiseFailure(kInternalError);
}

DateTime Add(Interval interval, std::int64_t count, const DateTime& moment) {
    switch (interval) {
    case Interval::Year:
        return AddMonths(moment, count * 12);
    case Interval::Quarter:
        return AddMonths(moment, count * 3);
    case Interval::Month:
        return AddMonths(moment, count);
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
        return AddDays(moment, count);
    case Interval::Week:
        return AddDays(moment, count * 7);
    case Interval::Hour:
        return AddSeconds(moment, count * 3600);
    case Interval::Minute:
        return AddSeconds(moment, count * 60);
    case Interval::Second:
        return AddSeconds(moment, count);
    }
    RaiseFailure(kInternalError);
}

Computed Now(Arguments arguments) {
    assert(arguments.empty());
    return TextResult(WriteDateTime(LocalNow()));
}

Computed Today(Arguments arguments) {
    assert(arguments.empty());
    return TextResult(WriteDate(LocalNow()));
}

Computed TimeOfDay(Arguments arguments) {
    assert(arguments.empty());
    return TextResult(WriteTime(LocalNow()));
}

// The count is a whole-number parameter. Adding hours, minutes or seconds
// writes the time of day too, since dropping it would lose the very change
// that was asked for; the other units keep the date alone.
Computed DateAdd(Arguments arguments) {
    assert(arguments.size() == 3);
    const Interval interval = ReadInterval(TextArgument(arguments[0]));
    const std::int32_t count = WholeArgument(arguments[1]);
    const DateTime moved = Add(interval, count, ReadDateText(TextArgument(arguments[2])));
    return TextResult(CountsTime(interval) ? WriteDateTime(moved) : WriteDate(moved));
}

// The count can exceed 32 bits (seconds across the centuries) and is given
// in full; every count of the date range is exact in a double.
Computed DateDiff(Arguments arguments) {
    assert(arguments.size() == 3);
    const Interval interval = ReadInterval(TextArgument(arguments[0]));
    const DateTime from = ReadDateText(TextArgument(arguments[1]));
    const DateTime to = ReadDateText(TextArgument(arguments[2]));
    return NumberResult(static_cast<double>(Difference(interval, from, to)));
}

Computed DatePart(Arguments arguments) {
    assert(arguments.size() == 2);
    const Interval interval = ReadInterval(TextArgument(arguments[0]));
    return NumberResult(
        static_cast<double>(Part(interval, ReadDateText(TextArgument(arguments[1])))));
}

// Years 0 to 99 are two-digit years: 0 to 29 are 2000 to 2029, 30 to 99 are
// 1930 to 1999.
std::int64_t FullYear(std::int16_t year) noexcept {
    if (year >= 0 && year <= 29) {
        return 2000 + year;
    }
    if (year >= 30 && year <= 99) {
        return 1900 + year;
    }
    return year;
}

// A month or a day outside its range carries into the neighbouring months
// and years: month 13 is January of the next year, day 0 the last day of
// the month before.
Computed DateSerial(Arguments arguments) {
    assert(arguments.size() == 3);
    const std::int16_t year = ToInt16(NumberArgument(arguments[0]));
    const std::int16_t month = ToInt16(NumberArgument(arguments[1]));
    const std::int16_t day = ToInt16(NumberArgument(arguments[2]));
    const std::int64_t monthCount = FullYear(year) * 12 + (month - 1);
    const CivilDate first{FloorDivide(monthCount, 12),
                          static_cast<std::int32_t>(FloorModulo(monthCount, 12)) + 1, 1};
    return TextResult(WriteDate(DateTime::FromDayNumber(DayNumberOf(first) + (day - 1))));
}

template <Interval Component> Computed ComponentOf(Arguments arguments) {
    assert(arguments.size() == 1);
    return NumberResult(
        static_cast<double>(Part(Component, ReadDateText(TextArgument(arguments[0])))));
}

constexpr std::array kDateComputations = {
    NamedComputation{u"NOW", Now},
    NamedComputation{u"DATE", Today},
    NamedComputation{u"TIME", TimeOfDay},
    NamedComputation{u"DATEDIFF", DateDiff},
    NamedComputation{u"DATEADD", DateAdd},
    NamedComputation{u"DATEPART", DatePart},
    NamedComputation{u"DATESERIAL", DateSerial},
    NamedComputation{u"YEAR", ComponentOf<Interval::Year>},
    NamedComputation{u"MONTH", ComponentOf<Interval::Month>},
    NamedComputation{u"DAY", ComponentOf<Interval::Day>},
    NamedComputation{u"HOUR", ComponentOf<Interval::Hour>},
    NamedComputation{u"MINUTE", ComponentOf<Interval::Minute>},
    NamedComputation{u"SECOND", ComponentOf<Interval::Second>},
};

} // namespace

std::span<const NamedComputation> DateComputations() noexcept {
    return kDateComputations;
}

} // namespace talmiron
