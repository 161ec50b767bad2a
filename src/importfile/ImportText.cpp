#include "importfile/ImportText.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace tarvek {
namespace {

// Where the line that holds `from` ends: its CR or LF, or the end of the text.
std::size_t lineEndFrom(std::string_view text, std::size_t from)
{
    const std::size_t n = text.size();
    const auto* lf = static_cast<const char*>(std::memchr(text.data() + from, '\n', n - from));
    const std::size_t limit = lf != nullptr ? static_cast<std::size_t>(lf - text.data()) : n;
    const auto* cr = static_cast<const char*>(std::memchr(text.data() + from, '\r', limit - from));
    return cr != nullptr ? static_cast<std::size_t>(cr - text.data()) : limit;
}

// How many bytes of `text` are CR or LF, eight at a time.
std::size_t lineEndCount(std::string_view text)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    // The high bit of each byte of `word` that is zero.
    const auto zeros = [](std::uint64_t word) {
        return ~(((word & kLow7) + kLow7) | word | kLow7);
    };
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        // One bit a byte found, moved to the byte's lowest bit; the product adds the bytes up
        // in its highest byte (a machine without a counting instruction would call a function).
        const std::uint64_t found =
            (zeros(word ^ (kOnes * '\n')) | zeros(word ^ (kOnes * '\r'))) >> 7;
        count += static_cast<std::size_t>((found * kOnes) >> 56);
    }
    for (; i < text.size(); ++i) {
        count += text[i] == '\n' || text[i] == '\r' ? 1 : 0;
    }
    return count;
}

// Where the line after the line end at `end` begins (a CR LF is one line end).
std::size_t afterLineEnd(std::string_view text, std::size_t end)
{
    if (end >= text.size()) {
        return text.size();
    }
    return end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
}

} // namespace

namespace {

// The keys of the line that begins at `start`, and where it ends (its CR or LF, or the end of
// the text), in one pass over its bytes: each key holds a tab and is found at it, an entry at
// its "E". What a key looks at beside its tab or "E" is no line end, so it stays in the line.
std::uint8_t scanLine(std::string_view text, std::size_t start, std::size_t& end)
{
    std::uint8_t keys = 0;
    const std::size_t n = text.size();
    const char* const bytes = text.data();
    std::size_t i = start;
    for (; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\t') {
            if (i + 2 < n && bytes[i + 2] == '\t') {
                const char k = bytes[i + 1];
                keys |= k == 'x' ? kHasX : k == 'y' ? (kHasY | kHasYTab) : k == 'z' ? kHasZ : 0;
            }
            if (i >= start + 1 && bytes[i - 1] == 'y') {
                keys |= kHasYTab;
            }
            if (i >= start + 7 && text.substr(i - 7, 7) == "graphic") {
                keys |= kHasGraphic;
            }
            if (i >= start + 5 && text.substr(i - 5, 5) == "color") {
                keys |= kHasColor;
            }
        } else if (c == 'E') {
            if (i + 6 < n && text.substr(i, 6) == "Entry " &&
                (bytes[i + 6] == 'I' || bytes[i + 6] == 'M' || bytes[i + 6] == 'C')) {
                keys |= kHasEntry;
            }
        } else if (c == '\n' || c == '\r') {
            break;
        }
    }
    end = i;
    return keys;
}

} // namespace

std::uint8_t lineKeys(std::string_view line)
{
    std::size_t end = 0;
    return scanLine(line, 0, end);
}

ImportText::ImportText(std::string bytes, std::size_t skip)
    : m_bytes(std::move(bytes)), m_skip(std::min(skip, m_bytes.size()))
{
    index();
}

ImportText::ImportText(const ImportLines& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 1;
    }
    m_bytes.reserve(size);
    for (const auto& line : lines) {
        m_bytes += line;
        m_bytes += '\n';
    }
    index();
}

void ImportText::index()
{
    if (m_bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("import file too large");
    }
    const std::string_view all = m_bytes;
    const std::size_t n = all.size();
    // At most one line per CR or LF and one without a line end; a line that is not empty takes
    // two bytes at least (but the last). Reserved at once: no vector grows by copying.
    const std::size_t bound = lineEndCount(all.substr(m_skip)) + 1;
    m_keys.reserve(bound);
    m_lengths.reserve(std::min(bound, (n - m_skip) / 2 + 1));
    m_marks.reserve(bound / kBlock + 1);
    std::size_t start = m_skip;
    while (start < n) {
        const char c = all[start];
        if (c == '\n' || c == '\r') {
            // Empty lines, as most of a file of bare line ends is: a run of them at once.
            const std::size_t width = c == '\r' && start + 1 < n && all[start + 1] == '\n' ? 2 : 1;
            std::size_t end = start + width;
            if (width == 2) {
                while (end + 1 < n && all[end] == '\r' && all[end + 1] == '\n') {
                    end += 2;
                }
            } else if (c == '\n') {
                while (end < n && all[end] == '\n') {
                    ++end;
                }
            } else {
                while (end < n && all[end] == '\r' && !(end + 1 < n && all[end + 1] == '\n')) {
                    ++end;
                }
            }
            addEmptyLines(start, (end - start) / width, width);
            start = end;
            continue;
        }
        if (m_keys.size() % kBlock == 0) {
            m_marks.push_back(
                {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(m_lengths.size())});
        }
        std::size_t end = 0;
        const std::uint8_t keys = scanLine(all, start, end);
        const std::size_t length = end - start;
        m_keys.push_back(static_cast<std::uint8_t>(keys | kNotEmpty));
        m_lengths.push_back(length < kLong ? static_cast<std::uint8_t>(length) : kLong);
        start = afterLineEnd(all, end);
    }
    m_lengths.shrink_to_fit();
}

std::size_t ImportText::nextWith(std::uint8_t mask, std::size_t from) const
{
    // Eight lines at a time where none has the keys, as in most of a file for most keys.
    const std::size_t n = m_keys.size();
    const std::uint8_t* keys = m_keys.data();
    const std::uint64_t wide = 0x0101010101010101ull * mask;
    std::size_t i = from;
    while (i + 8 <= n) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, keys + i, 8);
        if ((eight & wide) != 0) {
            break;
        }
        i += 8;
    }
    while (i < n && (keys[i] & mask) == 0) {
        ++i;
    }
    return i;
}

void ImportText::addEmptyLines(std::size_t start, std::size_t count, std::size_t width)
{
    const std::size_t first = m_keys.size();
    m_keys.resize(first + count, 0);
    for (std::size_t line = (first + kBlock - 1) / kBlock * kBlock; line < first + count;
         line += kBlock) {
        m_marks.push_back({static_cast<std::uint32_t>(start + (line - first) * width),
                           static_cast<std::uint32_t>(m_lengths.size())});
    }
}

ImportText::Place ImportText::placeAt(std::size_t line, Mark mark) const
{
    std::uint32_t length = 0;
    if ((m_keys[line] & kNotEmpty) != 0) {
        length = m_lengths[mark.lengths];
        if (length == kLong) {
            length = static_cast<std::uint32_t>(lineEndFrom(m_bytes, mark.start) - mark.start);
        }
    }
    return Place{line, mark, length};
}

std::string_view ImportText::operator[](std::size_t index) const
{
    Place& slot = m_recent[index % kRecent];
    if (slot.line != index) {
        // From the line read last when it is a little before this one, else from the start of
        // this line's block.
        const Place from = m_last.line <= index && index - m_last.line <= kBlock
                               ? m_last
                               : placeAt(index / kBlock * kBlock, m_marks[index / kBlock]);
        // Line by line by their lengths; the last few lines passed are remembered.
        const char* const bytes = m_bytes.data();
        const std::size_t n = m_bytes.size();
        std::size_t line = from.line;
        Mark mark = from.mark;
        std::uint32_t length = from.length;
        while (line < index) {
            const std::uint32_t end = mark.start + length;
            mark.start =
                end + (bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n' ? 2 : 1);
            static_assert(kNotEmpty == 0x80);
            mark.lengths += m_keys[line] >> 7; // one length for a line not empty
            ++line;
            length = (m_keys[line] & kNotEmpty) != 0 ? m_lengths[mark.lengths] : 0;
            if (length == kLong) {
                length = static_cast<std::uint32_t>(lineEndFrom(m_bytes, mark.start) - mark.start);
            }
            if (index - line < kRecent) {
                m_recent[line % kRecent] = Place{line, mark, length};
            }
        }
        const Place place{line, mark, length};
        slot = place;
    }
    m_last = slot;
    return {m_bytes.data() + slot.mark.start, slot.length};
}

Result<ImportText> readImportText(const std::string& path, TextEncoding* encoding,
                                  std::uint64_t* fingerprint)
{
    auto bytes = readTextFile(path, kImportFileKind, encoding);
    if (!bytes) {
        return bytes.error();
    }
    if (fingerprint != nullptr) {
        *fingerprint = fileFingerprint(*bytes);
    }
    const std::size_t bom = bytes->size() - withoutBom(*bytes).size();
    return ImportText(std::move(*bytes), bom);
}

bool pruefeimportdatei(const ImportText& importText)
{
    // As the test over lines: a header line, then its next line; after a next line without "{"
    // the search goes on with the line after it.
    const std::string_view text = importText.text();
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find("Entry Header", from);
        if (at == std::string_view::npos) {
            return false;
        }
        const std::size_t next = afterLineEnd(text, lineEndFrom(text, at));
        if (next >= text.size()) {
            return false;
        }
        const std::size_t nextEnd = lineEndFrom(text, next);
        if (text.substr(next, nextEnd - next).find('{') != std::string_view::npos) {
            return true;
        }
        from = afterLineEnd(text, nextEnd);
    }
}

} // namespace tarvek
