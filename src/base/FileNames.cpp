#include "base/FileNames.h"

#include "base/AsciiCase.h"
#include "base/SystemReason.h"
#include "base/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace tarvek {

std::optional<std::string> findFileIgnoringCase(const std::string& folder, std::string_view name)
{
    const std::filesystem::path dir = pathOf(folder.empty() ? std::string(".") : folder);
    const std::string wanted = asciiLower(name);
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(dir, error);
    for (const auto end = std::filesystem::directory_iterator(); !error && entries != end;
         entries.increment(error)) {
        std::string entry = fileNameOf(entries->path().filename());
        if (entry.size() == wanted.size() && asciiLower(entry) == wanted) {
            names.push_back(std::move(entry));
        }
    }
    if (names.empty()) {
        return std::nullopt;
    }
    const auto rank = [&](const std::string& entry) {
        return entry == name ? 0 : entry == wanted ? 1 : 2;
    };
    const auto best = std::min_element(names.begin(), names.end(),
                                       [&](const std::string& a, const std::string& b) {
                                           return rank(a) != rank(b) ? rank(a) < rank(b) : a < b;
                                       });
    return fileNameOf(dir / pathOf(*best));
}

bool sameFile(const std::string& first, const std::string& second)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const bool same = fs::equivalent(pathOf(first), pathOf(second), error);
    if (!error) {
        return same; // false also when only one of them exists
    }
    const auto normal = [](const std::string& name) {
        std::error_code ignored;
        return fs::weakly_canonical(fs::absolute(pathOf(name), ignored), ignored)
            .lexically_normal();
    };
    return normal(first) == normal(second);
}

namespace detail {

FileRead readOpenedFile(std::uint64_t size, std::uint64_t limit, std::string& bytes,
                        const std::function<std::int64_t(char* buffer, std::size_t size)>& readSome)
{
    if (size > limit) {
        return FileRead::TooLarge;
    }
    // Read straight into the result; one byte more than the size tells a file that grew.
    bytes.assign(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() + std::size_t(64) * 1024);
        }
        const std::int64_t got = readSome(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            bytes.clear();
            return FileRead::Failed;
        }
        filled += static_cast<std::size_t>(got);
        if (filled > limit) {
            bytes.clear();
            return FileRead::TooLarge;
        }
        if (got == 0) {
            bytes.resize(filled);
            return FileRead::Read;
        }
    }
}

} // namespace detail

Result<std::string> readRegularFile(const std::string& fileName, const FileKind& kind)
{
    using detail::FileRead;
    std::string bytes;
    int errorNumber = 0;
    switch (detail::readInto(fileName, kind.limit, bytes, errorNumber)) {
    case FileRead::Read:
        break;
    case FileRead::Failed:
        errorNumber = errorNumber != 0 ? errorNumber : EIO;
        return FileError{FileErrorKind::System, errorNumber, openFailureReason(errorNumber)};
    case FileRead::Folder:
        return FileError{FileErrorKind::Folder, 0, systemReason(EISDIR)};
    case FileRead::NotRegular:
        return FileError{FileErrorKind::NotRegular, 0,
                         "Sie ist keine gewöhnliche Datei, sondern etwa eine benannte Pipe oder "
                         "ein Gerät, und wird nicht gelesen."};
    case FileRead::TooLarge:
        return FileError{FileErrorKind::TooLarge, 0,
                         "Sie ist größer als " + std::to_string(kind.limit >> 20) +
                             " MiB; so groß ist keine " + std::string(kind.name) + "."};
    }
    return bytes;
}

std::string shownFileName(std::string_view fileName)
{
    std::string shown(fileName);
#ifdef _WIN32
    std::string::size_type out = 0;
    for (std::string::size_type i = 0; i < shown.size(); ++i) {
        const char c = shown[i] == '/' ? '\\' : shown[i];
        if (c == '\\' && out > 1 && shown[out - 1] == '\\') {
            continue;
        }
        shown[out++] = c;
    }
    shown.resize(out);
#endif
    return displayText(shown, TextEncoding::Utf8);
}

} // namespace tarvek
