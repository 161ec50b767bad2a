#include "importfile/ImportLines.h"

#include "importfile/FileNames.h"
#include "importfile/SystemReason.h"

#include <cerrno>

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

std::optional<std::string> readFileBytes(const std::string& path, std::string* reason,
                                         const FileKind& kind)
{
    std::string bytes;
    int error = 0;
    std::string why;
    switch (readRegularFile(path, kind.limit, bytes, error)) {
    case FileRead::Read:
        return bytes;
    case FileRead::Failed:
        why = openFailureReason(error != 0 ? error : EIO);
        break;
    case FileRead::Folder:
        why = systemReason(EISDIR);
        break;
    case FileRead::NotRegular:
        why = "Sie ist keine gewöhnliche Datei, sondern etwa eine benannte Pipe oder ein Gerät, "
              "und wird nicht gelesen.";
        break;
    case FileRead::TooLarge:
        why = "Sie ist größer als " + std::to_string(kind.limit >> 20) +
              " MiB; so groß ist keine " + std::string(kind.name) + ".";
        break;
    }
    if (reason != nullptr) {
        *reason = std::move(why);
    }
    return std::nullopt;
}

std::optional<std::string> readTextFile(const std::string& path, std::string* reason,
                                        const FileKind& kind, TextEncoding* encoding)
{
    auto bytes = readFileBytes(path, reason, kind);
    if (!bytes) {
        return std::nullopt;
    }
    if (auto refusal = encodingRefusal(*bytes)) {
        if (reason != nullptr) {
            *reason = std::move(*refusal);
        }
        return std::nullopt;
    }
    if (encoding != nullptr) {
        *encoding = detectTextEncoding(*bytes);
    }
    return bytes;
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

std::string fileOpenErrorText(std::string_view path, std::string_view reason)
{
    std::string text = "Datei ";
    text += path;
    text += " kann nicht geöffnet werden. ";
    text += reason;
    return text;
}

} // namespace tarvek
