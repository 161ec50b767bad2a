#include "base/FileReading.h"

#include "base/FileNames.h"
#include "base/SystemReason.h"

#include <cerrno>

namespace tarvek {

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

std::string fileOpenErrorText(std::string_view path, std::string_view reason)
{
    std::string text = "Datei ";
    text += shownFileName(path);
    text += " kann nicht geöffnet werden. ";
    text += reason;
    return text;
}

} // namespace tarvek
