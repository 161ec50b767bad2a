#pragma once

#include <regex>
#include <set>
#include <string>

namespace tarvek::testing {

// The long options a text lists: a help text at the start of a line ("  --name", "  -n, --name"),
// a manual page on the first line of a .TP entry ("\-\-name").
inline std::set<std::string> listedOptions(const std::string& text, bool manPage)
{
    const std::regex row(manPage ? R"(\n\.TP\n\.B[IR]? (?:\\-\w ", " )?\\-\\-((?:[a-z]|\\-)+))"
                                 : R"(\n  (?:-\w, )?--([a-z-]+))");
    std::set<std::string> names;
    for (std::sregex_iterator it(text.begin(), text.end(), row), end; it != end; ++it) {
        names.insert(std::regex_replace((*it)[1].str(), std::regex(R"(\\-)"), "-"));
    }
    return names;
}

} // namespace tarvek::testing
