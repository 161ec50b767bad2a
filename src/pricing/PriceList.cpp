#include "pricing/PriceList.h"

#include "importfile/ItemKey.h"

#include <algorithm>
#include <dirent.h>
#include <unordered_map>

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

// Calls f(packedPrefix) for every prefix of 4..8 digits of every digit run that follows an "0x"
// in the line ("0X" too and digits of either case when anyCase).
template <typename F> void forEachKeyPrefix(std::string_view line, bool anyCase, F&& f)
{
    const std::size_t n = line.size();
    for (std::size_t p = 0; p + 1 < n; ++p) {
        if (line[p] != '0' || !(line[p + 1] == 'x' || (anyCase && line[p + 1] == 'X'))) {
            continue;
        }
        std::uint32_t value = 0;
        std::size_t length = 0;
        for (std::size_t q = p + 2; q < n && length < kMaxDigits; ++q) {
            const int d = hexValue(line[q], anyCase);
            if (d < 0) {
                break;
            }
            value = value * 16u + static_cast<std::uint32_t>(d);
            ++length;
            if (length >= kMinDigits) {
                f(pack(length, value));
            }
        }
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
    bool exactBuilt = false;
    bool foldedBuilt = false;
    // Lines holding the key as stored (lower-case digits after "0x"), in file order.
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> exact;
    // The first line holding the key with letter case ignored.
    std::unordered_map<std::uint64_t, std::uint32_t> folded;
    // Results of plain searches for keys of another form.
    std::unordered_map<std::string, std::vector<std::uint32_t>> plain;
};

PriceList::PriceList() = default;
PriceList::PriceList(ImportLines lines) : m_lines(std::move(lines)) {}
PriceList::~PriceList() = default;
PriceList::PriceList(PriceList&&) noexcept = default;
PriceList& PriceList::operator=(PriceList&&) noexcept = default;

const std::vector<std::uint32_t>& PriceList::findMovableMarks(std::string_view key) const
{
    static const std::vector<std::uint32_t> kNone;
    if (!m_index) {
        m_index = std::make_unique<Index>();
    }
    Index& index = *m_index;
    if (const auto packed = packKey(key, false)) {
        if (!index.exactBuilt) {
            for (std::size_t i = 0; i < m_lines.size(); ++i) {
                const auto line = static_cast<std::uint32_t>(i);
                forEachKeyPrefix(m_lines[i], false, [&](std::uint64_t k) {
                    auto& v = index.exact[k];
                    if (v.empty() || v.back() != line) {
                        v.push_back(line);
                    }
                });
            }
            index.exactBuilt = true;
        }
        const auto it = index.exact.find(*packed);
        return it == index.exact.end() ? kNone : it->second;
    }
    const std::string k(key);
    auto [it, inserted] = index.plain.try_emplace("s" + k);
    if (inserted) {
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].find(k) != std::string::npos) {
                it->second.push_back(static_cast<std::uint32_t>(i));
            }
        }
    }
    return it->second;
}

std::optional<std::size_t> PriceList::findPriceLine(std::string_view key) const
{
    if (!m_index) {
        m_index = std::make_unique<Index>();
    }
    Index& index = *m_index;
    if (const auto packed = packKey(key, true)) {
        if (!index.foldedBuilt) {
            for (std::size_t i = 0; i < m_lines.size(); ++i) {
                const auto line = static_cast<std::uint32_t>(i);
                forEachKeyPrefix(m_lines[i], true,
                                 [&](std::uint64_t k) { index.folded.try_emplace(k, line); });
            }
            index.foldedBuilt = true;
        }
        const auto it = index.folded.find(*packed);
        if (it == index.folded.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    const std::string lowerKey = asciiLower(key);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (asciiLower(m_lines[i]).find(lowerKey) != std::string::npos) {
            return i;
        }
    }
    return std::nullopt;
}

bool PriceList::contains(std::string_view key) const
{
    // Upper-casing both sides finds exactly what lower-casing both sides finds.
    return findPriceLine(key).has_value();
}

std::optional<std::string> findPriceList(const std::string& folder)
{
    std::string dir = folder.empty() ? std::string(".") : folder;
    if (dir.back() != '/') {
        dir += '/';
    }
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    const std::string wanted = asciiLower(kPriceListName);
    while (const dirent* entry = readdir(d)) {
        const std::string name = entry->d_name;
        if (name.size() == wanted.size() && asciiLower(name) == wanted) {
            names.push_back(name);
        }
    }
    closedir(d);
    if (names.empty()) {
        return std::nullopt;
    }
    auto rank = [](const std::string& name) {
        return name == "Preisliste.txt" ? 0 : name == "preisliste.txt" ? 1 : 2;
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return rank(a) != rank(b) ? rank(a) < rank(b) : a < b;
    });
    return dir + names.front();
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

} // namespace tarvek
