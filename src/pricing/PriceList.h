#pragma once

#include "base/ProgramFiles.h"
#include "importfile/ImportLines.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

inline constexpr std::string_view kPriceListName = ProgramFiles::PriceListFileName;

// The path of the price list in `folder`: the file whose name is "Preisliste.txt" with letter
// case ignored ("preisliste.txt" from the download is the same file). When several spellings
// exist, "Preisliste.txt" wins, then "preisliste.txt", then the first other one in byte order.
// Nothing when there is none. `folder` may end with "/" or not.
std::optional<std::string> findPriceList(const std::string& folder);

// The real price lists have a few hundred kilobytes.
inline constexpr FileKind kPriceListKind{64u << 20, "Preisliste"};
// Reads a price list file as a player's text file (readTextFile with kPriceListKind, UTF-16
// refused): its bytes for fromBytes(), which finds their encoding.
Result<std::string> readPriceListFile(const std::string& path);
// The path of the price list in `folder` that a new list replaces: findPriceList's, else
// "Preisliste.txt" in `folder`.
std::string priceListPath(const std::string& folder);
// The price list a run reads: `givenFile` when there is one, else findPriceList's in `folder`,
// else "Preisliste.txt" appended to `folder` (the file that the message of its absence names).
std::string priceListToRead(const std::string& givenFile, const std::string& folder);
// "Preisliste PATH kann nicht gelesen werden: REASON" (without ": " when there is no reason),
// the file in the system's own form.
std::string priceListUnreadableText(const std::string& path, std::string_view reason);

// Whether a line is a price line as the calculation reads one: it holds a graphic key ("0x" and
// at least four hexadecimal digits, either case), has at least eight columns, a whole number in
// column 3 (and in column 5 when column 4 is not "t") and columns 6, 7 and 8 not empty. A price
// list may hold other lines besides; a file without a single price line is none.
bool isPriceLine(std::string_view line);

// Column readers on one price line; columns counted from 1, separated by "|".
// Number of columns: the count of "|" plus 1.
std::size_t priceColumnCount(std::string_view line);
// PriceColumnText of column n (3, 4, 5): the text of column n, up to the next "|" (or the end).
// Empty when the line has fewer than n columns.
std::string_view priceColumnText(std::string_view line, int n);
// PriceColumnMark of column n (6, 7, 8): the first character of what is left after deleting n-1
// columns with their separators; empty when nothing is left.
std::string_view priceColumnMark(std::string_view line, int n);

// The price list read whole into lines, with its three lookups. A lookup by a
// GraphicKey ("0x" and 4 to 8 hex digits) uses an index built on first use, so a lookup costs
// about as much as its result; it returns exactly the lines a plain substring search returns
// (the key 0x0e75 also selects a line holding 0x0e751, or the key in any column). Other keys
// are searched line by line.
class PriceList
{
public:
    PriceList();
    explicit PriceList(const ImportLines& lines);
    ~PriceList();
    PriceList(PriceList&&) noexcept;
    PriceList& operator=(PriceList&&) noexcept;

    // The file's bytes split into lines as splitLines() does (kept as one block), without a
    // UTF-8 byte-order mark; their encoding is detectTextEncoding's.
    static PriceList fromBytes(std::string bytes);
    // How the names of the lines are to be decoded for display (lines from ImportLines:
    // Windows-1252).
    TextEncoding encoding() const { return m_encoding; }

    std::size_t size() const { return m_spans.size(); }
    // Line `index` (0-based) as stored, without its line end.
    std::string_view line(std::size_t index) const
    {
        return {m_bytes.data() + m_spans[index].first, m_spans[index].second};
    }

    // Optional: prepares lookups of these keys (GraphicKeys) in one pass over the lines, so that
    // the index holds only what a phase asks for: prepareMovableMarks for findMovableMarks (keys
    // as stored), prepareFind for findPriceLine and contains (any case). A lookup of a key that
    // was not prepared indexes every key of the list once. Results are the same either way.
    void prepareMovableMarks(const std::vector<std::string>& keys) const;
    void prepareFind(const std::vector<std::string>& keys) const;
    // Both at once, in one pass (phase 5 prepares the lookups of all three phases so).
    void prepareLookups(const std::vector<std::string>& keys) const;
    // Indexes every key and reads the marks of every line at once. Afterwards lookups only read
    // the index (searches for keys of another form take turns on their memo), so that runs on
    // several threads may share one list.
    void prepareAll() const;

    // FindMovableMarks: the indices of every line that contains `key` as stored (case-sensitive),
    // in file order. Phase 5 passes the lower-cased GraphicKey.
    const std::vector<std::uint32_t>& findMovableMarks(std::string_view key) const;
    // PriceListContains: whether any line contains `key`, both upper-cased (ASCII only).
    bool contains(std::string_view key) const;
    // FindPriceLine: the index of the first line whose lower-cased text contains the lower-cased
    // key; nothing when none does.
    std::optional<std::size_t> findPriceLine(std::string_view key) const;

    // The marks of line `index` as stored (read once per line, then kept):
    // wellFormed: at least eight columns and columns 6, 7 and 8 not empty; notImportable:
    // PriceColumnMark 6 and 7 both "1"; spawn: PriceColumnMark 8 is "1".
    struct Marks
    {
        bool wellFormed = false;
        bool notImportable = false;
        bool spawn = false;
    };
    Marks marks(std::size_t index) const;

private:
    struct Index;
    Index& index() const;
    void prepare(const std::vector<std::string>& keys, bool exact) const;
    void prepare(const std::vector<std::string>& keys, bool exact, bool folded) const;
    void indexAllKeys(bool exact) const;
    std::string m_bytes;
    TextEncoding m_encoding = TextEncoding::Windows1252;
    std::vector<std::pair<std::size_t, std::size_t>> m_spans; // start and length of each line
    mutable std::unique_ptr<Index> m_index;
};

// Reads the price list a run reads (priceListToRead) once, to be shared by many runs, perhaps on
// several threads (prepareAll() done); nothing, with the German message as a run words it
// (priceListUnreadableText), when it cannot be read.
std::shared_ptr<const PriceList>
loadSharedPriceList(const std::string& givenFile, const std::string& folder, std::string& message);

} // namespace tarvek
