#include "base/FileReading.h"

#include "base/FileNames.h"

#include <cstring>

namespace tarvek {

Result<std::string> readTextFile(const std::string& path, const FileKind& kind,
                                 TextEncoding* encoding)
{
    auto bytes = readRegularFile(path, kind);
    if (!bytes) {
        return bytes;
    }
    if (auto refusal = encodingRefusal(*bytes)) {
        return FileError{FileErrorKind::Encoding, 0, std::move(*refusal)};
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
