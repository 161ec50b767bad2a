#include "importfile/ImportLines.h"

namespace tarvek {

ImportLines splitLines(std::string_view bytes)
{
    ImportLines lines;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
                ++i;
            }
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) {
        lines.emplace_back(bytes.substr(start));
    }
    return lines;
}

std::string joinLinesCrLf(const ImportLines& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::optional<ImportLines> readImportLines(const std::string& path, std::string* reason,
                                           TextEncoding* encoding)
{
    const auto bytes = readTextFile(path, reason, kImportFileKind, encoding);
    if (!bytes) {
        return std::nullopt;
    }
    return splitLines(withoutBom(*bytes));
}

} // namespace tarvek
