#pragma once

#include "importfile/ImportLines.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// Which keys a line holds; the phases of a run test these instead of searching the line again.
enum LineKey : std::uint8_t
{
    kHasEntry = 1,    // "Entry I", "Entry M" or "Entry C"
    kHasX = 2,        // "\tx\t"
    kHasY = 4,        // "\ty\t"
    kHasZ = 8,        // "\tz\t"
    kHasGraphic = 16, // "graphic\t"
    kHasYTab = 32,    // "y\t"
    kHasColor = 64,   // "color\t"
};
std::uint8_t lineKeys(std::string_view line);

// An import file held once: its bytes, and its lines (as splitLines() cuts them) found through a
// small index instead of a string each. Beside the bytes it keeps the keys of every line (one
// byte), the length of every line that is not empty (one byte; longer lines are measured again)
// and where every 32nd line begins: a file of nothing but line ends takes about two and three
// quarter bytes for each of its bytes while it is indexed, and less afterwards.
//
// Reading a line remembers where the last few lines read begin: the phases read lines in file
// order, with a look back of a few lines, and find each at once. That memory makes the reading
// of lines a change of the object: one thread at a time.
class ImportText
{
public:
    ImportText() = default;
    // The file's bytes; the first `skip` of them (a UTF-8 byte-order mark) belong to no line.
    explicit ImportText(std::string bytes, std::size_t skip = 0);
    // Lines as splitLines() makes them (none holds a CR or LF), joined.
    explicit ImportText(const ImportLines& lines);

    std::size_t size() const { return m_keys.size(); }
    // lineKeys() of line `index`.
    std::uint8_t keys(std::size_t index) const { return m_keys[index] & kKeyBits; }
    // The first line from `from` on whose keys include one of `mask`; size() when none does.
    std::size_t nextWith(std::uint8_t mask, std::size_t from) const;
    // Line `index` (from 0) without its line end; valid as long as this object.
    std::string_view operator[](std::size_t index) const;
    // The bytes of all lines with their line ends (without the skipped start).
    std::string_view text() const { return std::string_view(m_bytes).substr(m_skip); }

private:
    static constexpr std::uint8_t kKeyBits = 0x7F;
    static constexpr std::uint8_t kNotEmpty = 0x80; // beside the keys: the line has a length
    static constexpr std::uint8_t kLong = 0xFF;     // a length of 255 or more
    static constexpr std::size_t kBlock = 32;       // lines between two remembered line starts
    static constexpr std::size_t kRecent = 8;       // lines read last whose places are kept

    struct Mark
    {
        std::uint32_t start = 0;   // where the line begins
        std::uint32_t lengths = 0; // index of its length (of the next line that is not empty)
    };
    struct Place
    {
        std::size_t line = static_cast<std::size_t>(-1);
        Mark mark;
        std::uint32_t length = 0;
    };
    void index();
    // `count` empty lines from `start` on, each ended by `width` bytes.
    void addEmptyLines(std::size_t start, std::size_t count, std::size_t width);
    // The place of line `line`, which begins at `mark`.
    Place placeAt(std::size_t line, Mark mark) const;

    std::string m_bytes;
    std::size_t m_skip = 0;
    std::vector<std::uint8_t> m_keys;
    std::vector<std::uint8_t> m_lengths; // of the lines that are not empty, at most kLong
    std::vector<Mark> m_marks;           // of lines 0, kBlock, 2 * kBlock, ...
    mutable std::array<Place, kRecent> m_recent{};
    mutable Place m_last;
};

// readTextFile of an import file, held as an ImportText (its byte-order mark belongs to no line);
// *fingerprint, when given, is the fileFingerprint of the bytes read.
Result<ImportText> readImportText(const std::string& path, TextEncoding* encoding = nullptr,
                                  std::uint64_t* fingerprint = nullptr);

// The validity test pruefeimportdatei over an import file's lines held as bytes: a line
// containing "Entry Header" whose next line contains "{".
bool pruefeimportdatei(const ImportText& text);

} // namespace tarvek
