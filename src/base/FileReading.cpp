#include "base/FileReading.h"

#include "base/FileNames.h"
#include "base/SystemReason.h"

#include <cerrno>
#include <cstring>

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

std::uint64_t fileFingerprint(std::string_view bytes)
{
    // Eight bytes at a time, each word multiplied in and its high bits folded down, so that a
    // change of any bit reaches every bit of the result.
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    std::uint64_t hash = 0xCBF29CE484222325u ^ bytes.size();
    const auto mix = [&hash](std::uint64_t word) {
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 32;
    };
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= bytes.size(); i += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        mix(word);
    }
    std::uint64_t rest = 0;
    if (i < bytes.size()) {
        std::memcpy(&rest, bytes.data() + i, bytes.size() - i);
    }
    mix(rest);
    return hash;
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
