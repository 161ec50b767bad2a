#include "pricing/PriceList.h"

#include "base/AsciiCase.h"
#include "base/FileNames.h"
#include "importfile/ImportFormat.h"

#include <algorithm>
#include <bitset>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace tarvek {
namespace {

constexpr std::size_t kMinDigits = 4;
constexpr std::size_t kMaxDigits = 8;

int hexValue(char c, bool anyCase)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (anyCase && c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A digit string of 1..8 hex digits packed with its length, so that "0e75" and "e75" differ.
std::uint64_t pack(std::size_t length, std::uint32_t value)
{
    return (static_cast<std::uint64_t>(length) << 32) | value;
}

// Calls f(packedPrefix, exact) for every prefix of 4..8 digits of every digit run that follows an
// "0x" in the line ("0X" too and digits of either case when anyCase); `exact`: the prefix stands
// in the line as "0x" and lower-case digits. Finds the x with memchr.
template <typename F> void forEachKeyPrefix(std::string_view line, bool anyCase, F&& f)
{
    const std::size_t n = line.size();
    const auto scan = [&](char x) {
        std::size_t p = line.find(x, 1);
        while (p != std::string_view::npos) {
            if (line[p - 1] == '0') {
                std::uint32_t value = 0;
                std::size_t length = 0;
                // Whether the key so far stands in the line as stored: "0x", lower-case digits.
                bool exact = x == 'x';
                for (std::size_t q = p + 1; q < n && length < kMaxDigits; ++q) {
                    const int d = hexValue(line[q], anyCase);
                    if (d < 0) {
                        break;
                    }
                    exact = exact && !(line[q] >= 'A' && line[q] <= 'F');
                    value = value * 16u + static_cast<std::uint32_t>(d);
                    ++length;
                    if (length >= kMinDigits) {
                        f(pack(length, value), exact);
                    }
                }
            }
            p = line.find(x, p + 1);
        }
    };
    scan('x');
    if (anyCase) {
        scan('X');
    }
}

// The packed digits of a key "0x" + 4..8 hex digits, or nothing when the key has another form.
std::optional<std::uint64_t> packKey(std::string_view key, bool anyCase)
{
    if (key.size() < 2 + kMinDigits || key.size() > 2 + kMaxDigits || key[0] != '0' ||
        !(key[1] == 'x' || (anyCase && key[1] == 'X'))) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 2; i < key.size(); ++i) {
        const int d = hexValue(key[i], anyCase);
        if (d < 0) {
            return std::nullopt;
        }
        value = value * 16u + static_cast<std::uint32_t>(d);
    }
    return pack(key.size() - 2, value);
}

} // namespace

struct PriceList::Index
{
    // Lines holding the key as stored (lower-case digits after "0x"), in file order.
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> exact;
    // The first line holding the key with letter case ignored.
    std::unordered_map<std::uint64_t, std::uint32_t> folded;
    // The keys whose answers the maps hold completely: all keys once a full index is built,
    // else the prepared ones.
    bool exactFull = false;
    bool foldedFull = false;
    std::unordered_set<std::uint64_t> exactReady;
    std::unordered_set<std::uint64_t> foldedReady;
    // Results of plain searches for keys of another form; the values stay where they are when
    // others are added.
    std::unordered_map<std::string, std::vector<std::uint32_t>> plain;
    std::mutex plainMutex;
    bool all = false;
    // Marks per line: bit 0 read, 1 well formed, 2 not importable, 3 spawn.
    std::vector<std::uint8_t> marks;

    void addExact(std::uint64_t key, std::uint32_t line)
    {
        auto& v = exact[key];
        if (v.empty() || v.back() != line) {
            v.push_back(line);
        }
    }
};

PriceList::PriceList() = default;

PriceList::PriceList(const ImportLines& lines)
{
    std::size_t size = 0;
    for (const auto& l : lines) {
        size += l.size() + 1;
    }
    m_bytes.reserve(size);
    m_spans.reserve(lines.size());
    for (const auto& l : lines) {
        m_spans.emplace_back(m_bytes.size(), l.size());
        m_bytes += l;
        m_bytes += '\n';
    }
}

PriceList PriceList::fromBytes(std::string bytes)
{
    PriceList list;
    list.m_encoding = detectTextEncoding(bytes);
    list.m_bytes = std::move(bytes);
    const std::string_view b = list.m_bytes;
    // The byte-order mark stays in the block but belongs to no line.
    const std::size_t start = list.m_encoding == TextEncoding::Utf8WithBom ? kUtf8Bom.size() : 0;
    forEachLine(b.substr(start), [&list, start](std::size_t from, std::size_t length) {
        list.m_spans.emplace_back(start + from, length);
    });
    return list;
}
PriceList::~PriceList() = default;
PriceList::PriceList(PriceList&&) noexcept = default;
PriceList& PriceList::operator=(PriceList&&) noexcept = default;

PriceList::Index& PriceList::index() const
{
    if (!m_index) {
        m_index = std::make_unique<Index>();
    }
    return *m_index;
}

void PriceList::prepareMovableMarks(const std::vector<std::string>& keys) const
{
    prepare(keys, true);
}

void PriceList::prepareFind(const std::vector<std::string>& keys) const
{
    prepare(keys, false);
}

void PriceList::indexAllKeys(bool exact) const
{
    Index& ix = index();
    if (exact) {
        ix.exact.clear();
    } else {
        ix.folded.clear();
    }
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        const auto lineIndex = static_cast<std::uint32_t>(i);
        forEachKeyPrefix(line(i), !exact, [&](std::uint64_t k, bool) {
            if (exact) {
                ix.addExact(k, lineIndex);
            } else {
                ix.folded.try_emplace(k, lineIndex);
            }
        });
    }
    (exact ? ix.exactFull : ix.foldedFull) = true;
}

void PriceList::prepareAll() const
{
    Index& ix = index();
    if (ix.all) {
        return;
    }
    if (!ix.exactFull) {
        indexAllKeys(true);
    }
    if (!ix.foldedFull) {
        indexAllKeys(false);
    }
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        (void)marks(i);
    }
    ix.all = true;
}

void PriceList::prepare(const std::vector<std::string>& keys, bool exact) const
{
    prepare(keys, exact, !exact);
}

void PriceList::prepareLookups(const std::vector<std::string>& keys) const
{
    prepare(keys, true, true);
}

void PriceList::prepare(const std::vector<std::string>& keys, bool exact, bool folded) const
{
    Index& ix = index();
    exact = exact && !ix.exactFull;
    folded = folded && !ix.foldedFull;
    // The keys whose answers are still missing, for each index. A first filter on the low 16
    // bits of the value, so that most prefixes of the lines need no look-up in the sets. On the
    // stack: for a handful of keys, a heap block of 8 KB per call cost more than it saved.
    std::unordered_set<std::uint64_t> wantedExact;
    std::unordered_set<std::uint64_t> wantedFolded;
    std::bitset<0x10000> filter;
    for (const auto& key : keys) {
        if (const auto k = packKey(key, false); exact && k && ix.exactReady.count(*k) == 0) {
            wantedExact.insert(*k);
            filter[*k & 0xFFFF] = true;
        }
        if (const auto k = packKey(key, true); folded && k && ix.foldedReady.count(*k) == 0) {
            wantedFolded.insert(*k);
            filter[*k & 0xFFFF] = true;
        }
    }
    if (wantedExact.empty() && wantedFolded.empty()) {
        return;
    }
    // One pass for both: the prefixes of either case, of which the exact ones for the first.
    const bool anyCase = !wantedFolded.empty();
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        const auto lineIndex = static_cast<std::uint32_t>(i);
        forEachKeyPrefix(line(i), anyCase, [&](std::uint64_t k, bool stored) {
            if (!filter[k & 0xFFFF]) {
                return;
            }
            if (stored && wantedExact.count(k) != 0) {
                ix.addExact(k, lineIndex);
            }
            if (wantedFolded.count(k) != 0) {
                ix.folded.try_emplace(k, lineIndex);
            }
        });
    }
    ix.exactReady.insert(wantedExact.begin(), wantedExact.end());
    ix.foldedReady.insert(wantedFolded.begin(), wantedFolded.end());
}

const std::vector<std::uint32_t>& PriceList::findMovableMarks(std::string_view key) const
{
    static const std::vector<std::uint32_t> kNone;
    Index& ix = index();
    if (const auto packed = packKey(key, false)) {
        if (!ix.exactFull && ix.exactReady.count(*packed) == 0) {
            // Not prepared: index every key of every line once.
            indexAllKeys(true);
        }
        const auto it = ix.exact.find(*packed);
        return it == ix.exact.end() ? kNone : it->second;
    }
    // The one memo that a shared list still writes: runs on several threads take turns.
    const std::lock_guard<std::mutex> lock(ix.plainMutex);
    auto [it, inserted] = ix.plain.try_emplace(std::string(key));
    if (inserted) {
        for (std::size_t i = 0; i < m_spans.size(); ++i) {
            if (line(i).find(key) != std::string_view::npos) {
                it->second.push_back(static_cast<std::uint32_t>(i));
            }
        }
    }
    return it->second;
}

std::optional<std::size_t> PriceList::findPriceLine(std::string_view key) const
{
    Index& ix = index();
    if (const auto packed = packKey(key, true)) {
        if (!ix.foldedFull && ix.foldedReady.count(*packed) == 0) {
            indexAllKeys(false);
        }
        const auto it = ix.folded.find(*packed);
        if (it == ix.folded.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    // Keys of another form: each line searched with letter case folded as it is read.
    const std::string lowerKey = asciiLower(key);
    const auto foldedEqual = [](char c, char lower) {
        return (c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c) == lower;
    };
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        const std::string_view l = line(i);
        if (lowerKey.empty() || std::search(l.begin(), l.end(), lowerKey.begin(), lowerKey.end(),
                                            foldedEqual) != l.end()) {
            return i;
        }
    }
    return std::nullopt;
}

PriceList::Marks PriceList::marks(std::size_t index) const
{
    auto& cache = this->index().marks;
    if (cache.size() != m_spans.size()) {
        cache.assign(m_spans.size(), 0);
    }
    std::uint8_t& bits = cache.at(index);
    if (bits == 0) {
        const std::string_view line = this->line(index);
        const bool wellFormed = priceColumnCount(line) >= 8 && !priceColumnText(line, 6).empty() &&
                                !priceColumnText(line, 7).empty() &&
                                !priceColumnText(line, 8).empty();
        const bool notImportable =
            priceColumnMark(line, 6) == "1" && priceColumnMark(line, 7) == "1";
        const bool spawn = priceColumnMark(line, 8) == "1";
        bits = static_cast<std::uint8_t>(1u | (wellFormed ? 2u : 0u) | (notImportable ? 4u : 0u) |
                                         (spawn ? 8u : 0u));
    }
    return Marks{(bits & 2u) != 0, (bits & 4u) != 0, (bits & 8u) != 0};
}

bool PriceList::contains(std::string_view key) const
{
    // Upper-casing both sides finds exactly what lower-casing both sides finds.
    return findPriceLine(key).has_value();
}

std::optional<std::string> findPriceList(const std::string& folder)
{
    return findFileIgnoringCase(folder, kPriceListName);
}

Result<std::string> readPriceListFile(const std::string& path)
{
    return readTextFile(path, kPriceListKind);
}

std::string priceListPath(const std::string& folder)
{
    if (auto found = findPriceList(folder)) {
        return std::move(*found);
    }
    return fileNameOf(pathOf(folder.empty() ? std::string(".") : folder) / pathOf(kPriceListName));
}

std::string priceListToRead(const std::string& givenFile, const std::string& folder)
{
    if (!givenFile.empty()) {
        return givenFile;
    }
    if (auto found = findPriceList(folder)) {
        return std::move(*found);
    }
    std::string path = folder;
    path += kPriceListName;
    return path;
}

std::string priceListUnreadableText(const std::string& path, std::string_view reason)
{
    std::string text = "Preisliste ";
    text += shownFileName(path);
    text += " kann nicht gelesen werden";
    if (!reason.empty()) {
        text += ": ";
        text += reason;
    }
    return text;
}

bool isPriceLine(std::string_view line)
{
    bool hasKey = false;
    forEachKeyPrefix(line, true, [&hasKey](std::uint64_t, bool) { hasKey = true; });
    if (!hasKey || priceColumnCount(line) < 8 || !toInteger(priceColumnText(line, 3))) {
        return false;
    }
    const std::string_view kind = priceColumnText(line, 4);
    const bool perPiece = kind == "t" || kind == "T";
    if (!perPiece && !toInteger(priceColumnText(line, 5))) {
        return false;
    }
    return !priceColumnText(line, 6).empty() && !priceColumnText(line, 7).empty() &&
           !priceColumnText(line, 8).empty();
}

std::size_t priceColumnCount(std::string_view line)
{
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), '|')) + 1;
}

namespace {
// What is left after deleting n-1 columns with their separators; nothing when there are fewer.
std::optional<std::string_view> afterColumns(std::string_view line, int n)
{
    for (int k = 1; k < n; ++k) {
        const std::size_t bar = line.find('|');
        if (bar == std::string_view::npos) {
            return std::nullopt;
        }
        line.remove_prefix(bar + 1);
    }
    return line;
}
} // namespace

std::string_view priceColumnText(std::string_view line, int n)
{
    const auto rest = afterColumns(line, n);
    if (!rest) {
        return {};
    }
    return rest->substr(0, rest->find('|'));
}

std::string_view priceColumnMark(std::string_view line, int n)
{
    const auto rest = afterColumns(line, n);
    if (!rest) {
        return {};
    }
    return rest->substr(0, 1);
}

std::shared_ptr<const PriceList>
loadSharedPriceList(const std::string& givenFile, const std::string& folder, std::string& message)
{
    const std::string path = priceListToRead(givenFile, folder);
    auto bytes = readPriceListFile(path);
    if (!bytes) {
        message = priceListUnreadableText(path, bytes.error().reason);
        return nullptr;
    }
    auto list = std::make_shared<const PriceList>(PriceList::fromBytes(std::move(*bytes)));
    list->prepareAll();
    return list;
}

} // namespace tarvek
