#include "calc/Clock.h"

#include "base/WideText.h"

#include <windows.h>

namespace tarvek {
namespace {

// One text of the user's regional settings; empty when the system has none.
std::string userLocaleText(LCTYPE item)
{
    wchar_t buffer[16] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 16);
    if (length <= 1) {
        return {};
    }
    return utf8Text(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
}

} // namespace

TimeOfDay SystemClock::now() const
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wHour, local.wMinute, local.wSecond};
}

LocaleSeparators systemLocaleSeparators()
{
    LocaleSeparators result;
    if (std::string thousands = userLocaleText(LOCALE_STHOUSAND); !thousands.empty()) {
        result.thousands = std::move(thousands);
    }
    if (std::string time = userLocaleText(LOCALE_STIME); !time.empty()) {
        result.time = std::move(time);
    }
    return result;
}

} // namespace tarvek
