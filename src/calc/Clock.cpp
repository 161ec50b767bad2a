#include "calc/Clock.h"

// The system clock and the regional settings are in ClockPosix.cpp and ClockWindows.cpp.

namespace tarvek {

std::string formatTime(const TimeOfDay& time, std::string_view separator)
{
    auto two = [](int v) {
        if (v < 0) {
            v = 0;
        }
        v %= 100;
        return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    };
    std::string text = two(time.hour);
    text += separator;
    text += two(time.minute);
    text += separator;
    text += two(time.second);
    return text;
}

} // namespace tarvek
