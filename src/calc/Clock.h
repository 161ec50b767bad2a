#pragma once

#include <string>
#include <string_view>

namespace tarvek {

struct TimeOfDay
{
    int hour = 0; // 0..23
    int minute = 0;
    int second = 0;
};

// The clock seam for the protocol's "HH:MM:SS" time stamps.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual TimeOfDay now() const = 0;
};

// The local time of the system.
class SystemClock final : public Clock
{
public:
    TimeOfDay now() const override;
};

// A clock that always tells the time it was set to (tests, reproducible output).
class FixedClock final : public Clock
{
public:
    explicit FixedClock(TimeOfDay time = {}) : m_time(time) {}
    void set(TimeOfDay time) { m_time = time; }
    TimeOfDay now() const override { return m_time; }

private:
    TimeOfDay m_time;
};

// The two separators of the system's regional settings that the run's texts use (UTF-8).
struct LocaleSeparators
{
    std::string thousands = "."; // money text "###,###,##0 GS"
    std::string time = ":";      // "HH:MM:SS"
};

// The separators of the user's regional settings: on Windows those of the user's locale
// (GetLocaleInfoEx), elsewhere those of the process environment's locale (LC_ALL/LC_NUMERIC/
// LC_TIME, as set by the environment, not by setlocale()). "." and ":" for the C/POSIX locale or
// when a separator is empty or not valid UTF-8. The desktop window may fill LocaleSeparators from
// QLocale instead.
LocaleSeparators systemLocaleSeparators();

// "HH" sep "MM" sep "SS", two digits each.
std::string formatTime(const TimeOfDay& time, std::string_view separator);

} // namespace tarvek
