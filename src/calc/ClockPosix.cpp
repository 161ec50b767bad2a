#include "calc/Clock.h"

#include <clocale>
#include <ctime>
#include <langinfo.h>
#include <locale.h> // NOLINT(modernize-deprecated-headers): POSIX newlocale() lives here only

namespace tarvek {
namespace {

bool validUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t len = b < 0x80                   ? 1
                          : (b >= 0xC2 && b <= 0xDF) ? 2
                          : (b >= 0xE0 && b <= 0xEF) ? 3
                          : (b >= 0xF0 && b <= 0xF4) ? 4
                                                     : 0;
        if (len == 0 || i + len > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += len;
    }
    return true;
}

// The separator between the hours and the minutes of the locale's time format ("%H:%M:%S").
std::string timeSeparatorOf(std::string_view format)
{
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] == '%' && (format[i + 1] == 'H' || format[i + 1] == 'I')) {
            std::size_t start = i + 2;
            std::size_t end = format.find('%', start);
            if (end == std::string_view::npos) {
                return {};
            }
            return std::string(format.substr(start, end - start));
        }
    }
    return {};
}

} // namespace

TimeOfDay SystemClock::now() const
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

LocaleSeparators systemLocaleSeparators()
{
    LocaleSeparators result;
    locale_t locale = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return result;
    }
    const char* thousands = nl_langinfo_l(THOUSEP, locale);
    if (thousands != nullptr && *thousands != '\0' && validUtf8(thousands)) {
        result.thousands = thousands;
    }
    const char* timeFormat = nl_langinfo_l(T_FMT, locale);
    if (timeFormat != nullptr) {
        std::string sep = timeSeparatorOf(timeFormat);
        if (!sep.empty() && validUtf8(sep)) {
            result.time = sep;
        }
    }
    freelocale(locale);
    return result;
}

} // namespace tarvek
