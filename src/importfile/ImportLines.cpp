#include "importfile/ImportLines.h"

#include "importfile/FileNames.h"
#include "importfile/SystemReason.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

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

std::optional<std::string> readFileBytes(const std::string& path, std::string* reason)
{
    struct Closer
    {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    errno = 0;
    std::unique_ptr<std::FILE, Closer> file(openFile(path, "rb"));
    if (!file) {
        const int error = errno != 0 ? errno : ENOENT;
        // Windows refuses to open a folder with "no permission"; say what it is.
        std::error_code ignored;
        const bool folder = error == EACCES && std::filesystem::is_directory(pathOf(path), ignored);
        if (reason != nullptr) {
            *reason = folder ? systemReason(EISDIR) : openFailureReason(error);
        }
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get()) != 0) {
                if (reason != nullptr) {
                    *reason = systemReason(errno != 0 ? errno : EIO);
                }
                return std::nullopt;
            }
            break;
        }
    }
    return bytes;
}

std::optional<ImportLines> readImportLines(const std::string& path, std::string* reason)
{
    auto bytes = readFileBytes(path, reason);
    if (!bytes) {
        return std::nullopt;
    }
    return splitLines(*bytes);
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
