#include "calc/Clock.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace tarvek;

TEST(FormatTime, TwoDigitsEach)
{
    EXPECT_EQ(formatTime({9, 5, 7}, ":"), "09:05:07");
    EXPECT_EQ(formatTime({23, 59, 59}, "."), "23.59.59");
    EXPECT_EQ(formatTime({0, 0, 0}, ":"), "00:00:00");
}

TEST(SystemClock, InRange)
{
    const TimeOfDay t = SystemClock().now();
    EXPECT_GE(t.hour, 0);
    EXPECT_LE(t.hour, 23);
    EXPECT_GE(t.minute, 0);
    EXPECT_LE(t.minute, 59);
}

// The environment's locale decides only outside Windows; Windows reads the user's regional
// settings, which the comparison of tarvek-calc.exe with the Linux output covers.
#ifndef _WIN32
TEST(LocaleSeparators, CLocaleGivesPointAndColon)
{
    const char* old = std::getenv("LC_ALL");
    const std::string saved = old != nullptr ? old : "";
    setenv("LC_ALL", "C", 1);
    const LocaleSeparators s = systemLocaleSeparators();
    EXPECT_EQ(s.thousands, ".");
    EXPECT_EQ(s.time, ":");
    if (old != nullptr) {
        setenv("LC_ALL", saved.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}
#endif
