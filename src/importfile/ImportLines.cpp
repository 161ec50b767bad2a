#include "importfile/ImportLines.h"

#include <cstring>

namespace tarvek {

void forEachLine(std::string_view bytes, const std::function<void(std::size_t, std::size_t)>& line)
{
    // The line ends are found with memchr: a LF, and within the piece before it every CR (one
    // right before the LF belongs to it).
    const std::size_t n = bytes.size();
    std::size_t start = 0;
    while (start < n) {
        const auto* lf =
            static_cast<const char*>(std::memchr(bytes.data() + start, '\n', n - start));
        const std::size_t end = lf != nullptr ? static_cast<std::size_t>(lf - bytes.data()) : n;
        std::size_t lineEnd = end;
        for (;;) {
            const auto* cr =
                static_cast<const char*>(std::memchr(bytes.data() + start, '\r', end - start));
            if (cr == nullptr) {
                break;
            }
            const auto at = static_cast<std::size_t>(cr - bytes.data());
            if (at + 1 == end && lf != nullptr) {
                lineEnd = at;
                break;
            }
            line(start, at - start);
            start = at + 1;
        }
        if (start < end || lf != nullptr) {
            line(start, lineEnd - start);
        }
        start = end + 1;
    }
}

ImportLines splitLines(std::string_view bytes)
{
    ImportLines lines;
    forEachLine(bytes, [&](std::size_t start, std::size_t length) {
        lines.emplace_back(bytes.substr(start, length));
    });
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

Result<ImportLines> readImportLines(const std::string& path, TextEncoding* encoding,
                                    std::uint64_t* fingerprint)
{
    const auto bytes = readTextFile(path, kImportFileKind, encoding);
    if (!bytes) {
        return bytes.error();
    }
    if (fingerprint != nullptr) {
        *fingerprint = fileFingerprint(*bytes);
    }
    return splitLines(withoutBom(*bytes));
}

} // namespace tarvek
