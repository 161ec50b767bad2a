// The whole-number conversion, the value cuts, the item position key and its order, the graphic
// key, the price columns and the three price list lookups, on arbitrary lines. Each is checked
// against a plain model of what it must do; a difference aborts.
#include "base/AsciiCase.h"
#include "base/Cp1252.h"
#include "base/SystemReason.h"
#include "base/TextEncoding.h"
#include "calc/cli/Report.h"
#include "fuzz/FuzzRun.h"
#include "fuzz/TextMutator.h"
#include "importfile/ImportFormat.h"
#include "importfile/ItemKey.h"
#include "pricing/GraphicKey.h"
#include "pricing/Money.h"
#include "pricing/PriceList.h"
#include "support/engine/CheckedWindow.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

using namespace tarvek;
using tarvek::fuzz::splitColumns;

namespace {

[[noreturn]] void fail(const char* what, std::string_view text)
{
    std::fprintf(stderr, "%s: '%.*s'\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

void require(bool condition, const char* what, std::string_view text)
{
    if (!condition) {
        fail(what, text);
    }
}

// The whole-number conversion as the import format states it.
std::optional<std::int32_t> modelInteger(std::string_view t)
{
    while (!t.empty() && t.front() == ' ') {
        t.remove_prefix(1);
    }
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    int base = 10;
    if (t.starts_with("0x") || t.starts_with("0X")) {
        base = 16;
        t.remove_prefix(2);
    } else if (!t.empty() && (t.front() == '$' || t.front() == 'x' || t.front() == 'X')) {
        base = 16;
        t.remove_prefix(1);
    }
    if (t.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : t) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = std::min<std::int64_t>(value * base + digit, std::int64_t{1} << 40);
    }
    if (negative) {
        value = -value;
    }
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string_view modelTrim(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) {
        text.remove_suffix(1);
    }
    return text;
}

// The fixed and rest cuts of every key, and the whole-number conversion of each cut.
void checkCuts(std::string_view line)
{
    for (const std::string_view key : {kKeyX, kKeyY, kKeyZ, kKeyGraphic, kKeyColor}) {
        const std::size_t pos = line.find(key);
        const std::size_t count = key == kKeyGraphic || key == kKeyColor ? 6 : 4;
        const std::string_view cut = fixedCut(line, key, count);
        const std::string_view rest = restCut(line, key);
        if (pos == std::string_view::npos) {
            require(cut.empty() && rest.empty(), "cut without key", line);
            continue;
        }
        const std::string_view after = line.substr(pos + key.size());
        require(after.starts_with(cut) && cut.size() == std::min(after.size(), count), "fixed cut",
                line);
        require(rest == modelTrim(after), "rest cut", line);
        for (const std::string_view text : {cut, rest}) {
            require(toInteger(text) == modelInteger(text), "whole-number conversion", text);
        }
    }
}

// The whole-number conversion of the line, the graphic key of its value and the way back, and
// the money text of a large amount.
void checkNumber(std::string_view line)
{
    const auto value = toInteger(line);
    require(value == modelInteger(line), "whole-number conversion", line);
    if (value) {
        const std::string key = graphicKey(*value);
        require(key.size() >= 6 && key.size() <= 10 && key.starts_with("0x") &&
                    key.find_first_not_of("0123456789ABCDEF", 2) == std::string::npos,
                "graphic key form", key);
        require(graphicKeyToNumber(key) == *value && graphicKeyToNumber(asciiLower(key)) == *value,
                "graphic key way back", key);
        const std::string money = moneyText(std::int64_t{*value} * 50000, ".");
        std::string digits;
        for (const char c : money) {
            if (c != '.') {
                digits += c;
            }
        }
        require(digits == std::to_string(std::int64_t{*value} * 50000) + " GS", "money text",
                money);
        // The reason of a system error numbered so: a text for the end of a message.
        const std::string reason = systemReason(*value);
        require(!reason.empty() && !reason.ends_with('.') && hardening::isValidUtf8(reason),
                "system reason", reason);
    }
    (void)graphicKeyToNumber(line);
}

// The code page round trip and tarvek-calc's JSON text: UTF-8, no raw control characters, no
// unescaped quote.
void checkText(std::string_view line)
{
    bool allMapped = false;
    require(utf8ToCp1252(cp1252ToUtf8(line), &allMapped) == line && allMapped,
            "code page round trip", line);
    // The line read as UTF-8 (as the editor saves): each character one byte, each malformed or
    // unmapped one a '?'; when all were mapped, the way back gives the line again.
    const std::string saved = utf8ToCp1252(line, &allMapped);
    require(saved.size() <= line.size() && (!allMapped || cp1252ToUtf8(saved) == line),
            "code page of UTF-8", line);
    const std::string escaped = jsonEscape(line);
    require(hardening::isValidUtf8(escaped), "JSON escape not UTF-8", line);
    for (std::size_t k = 0; k < escaped.size(); ++k) {
        require(static_cast<unsigned char>(escaped[k]) >= 0x20, "JSON escape control", line);
        if (escaped[k] == '\\') {
            ++k; // the escaped character
        } else {
            require(escaped[k] != '"', "JSON escape quote", line);
        }
    }
}

// The encoding of the whole input as the readers find it.
void checkEncoding(std::string_view bytes)
{
    const TextEncoding encoding = detectTextEncoding(bytes);
    const bool nonAscii = std::any_of(bytes.begin(), bytes.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    require((encoding == TextEncoding::Utf8WithBom) == bytes.starts_with(kUtf8Bom), "mark", bytes);
    require(encoding == TextEncoding::Utf8WithBom ||
                (encoding == TextEncoding::Utf8) == (nonAscii && hardening::isValidUtf8(bytes)),
            "UTF-8 detected", bytes);
    require(encodingRefusal(bytes) ||
                !(bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")),
            "UTF-16 mark read", bytes);
    require(withoutBom(bytes).size() + (encoding == TextEncoding::Utf8WithBom ? 3 : 0) ==
                bytes.size(),
            "mark removed", bytes);
}

// A line as the user sees it, in either encoding: UTF-8 without a control character, also as a
// message quotes it; the editor's UTF-8 gives valid UTF-8 back unchanged.
void checkDisplay(std::string_view line)
{
    for (const TextEncoding encoding : {TextEncoding::Windows1252, TextEncoding::Utf8}) {
        const std::string shown = displayText(line, encoding);
        require(!hardening::holdsControl(shown) && hardening::isValidUtf8(shown), "control shown",
                line);
        const std::string quote = messageQuote(line, encoding);
        require(!hardening::holdsControl(quote) &&
                    (line.size() <= kMessageQuoteLimit ? quote == shown : quote.ends_with("...")),
                "message quote", line);
    }
    if (hardening::isValidUtf8(line)) {
        bool allMapped = false;
        require(encodedText(editableText(line, TextEncoding::Utf8), TextEncoding::Utf8,
                            &allMapped) == line &&
                    allMapped,
                "UTF-8 round trip", line);
    }
}

// isPriceLine against its description: a key "0x" with four hexadecimal digits (either case),
// eight columns, whole numbers in column 3 and, unless column 4 is "t", in column 5, and columns
// 6 to 8 not empty.
void checkPriceLine(std::string_view line, const std::vector<std::string>& columns)
{
    bool key = false;
    for (std::size_t p = 0; p + 5 < line.size() && !key; ++p) {
        key = line[p] == '0' && (line[p + 1] == 'x' || line[p + 1] == 'X') &&
              std::all_of(line.begin() + static_cast<std::ptrdiff_t>(p + 2),
                          line.begin() + static_cast<std::ptrdiff_t>(p + 6),
                          [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    }
    const bool expected = key && columns.size() >= 8 && modelInteger(columns[2]) &&
                          (columns[3] == "t" || columns[3] == "T" || modelInteger(columns[4])) &&
                          !columns[5].empty() && !columns[6].empty() && !columns[7].empty();
    require(isPriceLine(line) == expected, "price line", line);
}

void checkColumns(std::string_view line)
{
    const auto columns = splitColumns(line);
    require(priceColumnCount(line) == columns.size(), "column count", line);
    checkPriceLine(line, columns);
    for (int n = 1; n <= 9; ++n) {
        const bool present = static_cast<std::size_t>(n) <= columns.size();
        require(priceColumnText(line, n) == (present ? columns[n - 1] : std::string()),
                "column text", line);
        std::string_view rest = line;
        for (int k = 1; k < n && present; ++k) {
            rest.remove_prefix(rest.find('|') + 1);
        }
        require(priceColumnMark(line, n) == (present ? rest.substr(0, 1) : std::string_view()),
                "column mark", line);
    }
}

// The order of the item key set must be a strict weak order that calls two keys the same exactly
// when they are equal without regard to case; otherwise sorting and removing duplicates break.
void checkKeyOrder(std::string_view a, std::string_view b, std::string_view c)
{
    const int ab = compareItemKeys(a, b);
    const int ba = compareItemKeys(b, a);
    require((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0), "key order not antisymmetric", a);
    require((ab == 0) == (asciiLower(a) == asciiLower(b)), "key order equality", a);
    const std::string sa = itemKeySortText(a);
    const std::string sb = itemKeySortText(b);
    require((sa < sb) == (ab < 0) && (sa == sb) == (ab == 0), "sort text order", a);
    const int bc = compareItemKeys(b, c);
    const int ac = compareItemKeys(a, c);
    if (ab <= 0 && bc <= 0) {
        require(ac <= 0 && (ac < 0 || (ab == 0 && bc == 0)), "key order not transitive", a);
    }
}

// The lines once as stored, lower-cased and upper-cased, for the plain searches of the lookups.
struct FoldedLines
{
    explicit FoldedLines(const ImportLines& lines) : stored(lines)
    {
        for (const auto& line : lines) {
            lower.push_back(asciiLower(line));
            upper.push_back(asciiUpper(line));
        }
    }
    const ImportLines& stored;
    std::vector<std::string> lower;
    std::vector<std::string> upper;
};

// The three lookups of every price list must give exactly what a plain search of every line
// gives, whether the keys were prepared or not.
void checkLookups(std::initializer_list<const PriceList*> lists, const FoldedLines& lines,
                  const std::string& key)
{
    std::vector<std::uint32_t> movable;
    std::optional<std::size_t> first;
    const std::string upperKey = asciiUpper(key);
    const std::string lowerKey = asciiLower(key);
    bool any = false;
    for (std::size_t i = 0; i < lines.stored.size(); ++i) {
        if (lines.stored[i].find(key) != std::string::npos) {
            movable.push_back(static_cast<std::uint32_t>(i));
        }
        if (!first && lines.lower[i].find(lowerKey) != std::string::npos) {
            first = i;
        }
        any = any || lines.upper[i].find(upperKey) != std::string::npos;
    }
    for (const PriceList* prices : lists) {
        require(prices->findMovableMarks(key) == movable, "FindMovableMarks", key);
        require(prices->findPriceLine(key) == first, "FindPriceLine", key);
        require(prices->contains(key) == any, "PriceListContains", key);
    }
}

// The lines of the price list and the marks of each line.
void checkPriceLines(const PriceList& prices, const ImportLines& lines)
{
    require(prices.size() == lines.size(), "price list line count", "");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        require(prices.line(i) == lines[i], "price list line", lines[i]);
        const auto columns = splitColumns(lines[i]);
        const bool wellFormed = columns.size() >= 8 && !columns[5].empty() && !columns[6].empty() &&
                                !columns[7].empty();
        const PriceList::Marks marks = prices.marks(i);
        require(marks.wellFormed == wellFormed, "price line well formed", lines[i]);
        if (wellFormed) {
            require(marks.notImportable == (columns[5][0] == '1' && columns[6][0] == '1'),
                    "not importable mark", lines[i]);
            require(marks.spawn == (columns[7][0] == '1'), "spawn mark", lines[i]);
        }
    }
}

// Keys to look up: every "0x" in the bytes with 4 to 8 following characters, in the case found
// and folded one way (lower for an even count of characters, upper for an odd one), and the
// graphic keys of the numbers on the lines. At most about forty: each lookup is checked against
// a plain search of every line in three price lists, which costs more than the rest of the
// checks together.
std::vector<std::string> lookupKeys(std::string_view bytes, const ImportLines& lines)
{
    std::vector<std::string> keys;
    for (std::size_t p = bytes.find("0"); p != std::string_view::npos && keys.size() < 30;
         p = bytes.find('0', p + 1)) {
        if (p + 1 < bytes.size() && (bytes[p + 1] == 'x' || bytes[p + 1] == 'X')) {
            for (std::size_t digits = 4; digits <= 8 && p + 2 + digits <= bytes.size(); ++digits) {
                const std::string key(bytes.substr(p, 2 + digits));
                keys.push_back(key);
                keys.push_back(digits % 2 == 0 ? asciiLower(key) : asciiUpper(key));
            }
        }
    }
    for (const auto& line : lines) {
        if (const auto value = toInteger(line); value && keys.size() < 40) {
            keys.push_back(asciiLower(graphicKey(*value)));
        }
    }
    if (!lines.empty()) {
        keys.push_back(lines.front().substr(0, 6)); // a key of another form
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkEncoding(bytes);
    const ImportLines lines = splitLines(bytes);
    std::size_t kept = 0;
    for (const auto& line : lines) {
        kept += line.size();
    }
    require(kept == size - static_cast<std::size_t>(
                               std::count_if(bytes.begin(), bytes.end(),
                                             [](char c) { return c == '\r' || c == '\n'; })),
            "line split lost bytes", bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        checkCuts(lines[i]);
        checkNumber(lines[i]);
        checkText(lines[i]);
        checkDisplay(lines[i]);
        checkColumns(lines[i]);
        if (const auto key = itemPositionKey(lines, i)) {
            require(i >= 2 && i + 1 < lines.size() &&
                        std::count(key->begin(), key->end(), '|') >= 3 &&
                        key->size() <= 6 + 4 + 4 + 4 + 3,
                    "item position key", *key);
        } else {
            require(i < 2 || i + 1 >= lines.size(), "item position key missing", lines[i]);
        }
        if (i + 2 < lines.size()) {
            checkKeyOrder(lines[i], lines[i + 1], lines[i + 2]);
            checkKeyOrder(lines[i + 2], lines[i + 1], lines[i]);
        }
    }
    // The lookups are checked against a plain search of every line in three price lists, which
    // costs several times all other checks together: for one input in four, chosen by its bytes.
    if (fuzz::choiceOf(data, size) % 4 != 0) {
        return 0;
    }
    // Three price lists over the same lines: indexed in full on the first lookup, prepared for
    // every key, and prepared for every other key.
    // A list that begins with a byte-order mark holds its lines without it.
    const ImportLines listLines = splitLines(withoutBom(bytes));
    const auto keys = lookupKeys(bytes, listLines);
    const PriceList full = PriceList::fromBytes(std::string(bytes));
    require(full.encoding() == detectTextEncoding(bytes), "price list encoding", bytes);
    const PriceList prepared(listLines);
    const PriceList partly = PriceList::fromBytes(std::string(bytes));
    prepared.prepareMovableMarks(keys);
    prepared.prepareFind(keys);
    std::vector<std::string> half;
    for (std::size_t k = 0; k < keys.size(); k += 2) {
        half.push_back(keys[k]);
    }
    partly.prepareMovableMarks(half);
    partly.prepareFind(half);
    checkPriceLines(full, listLines);
    checkPriceLines(prepared, listLines);
    const FoldedLines folded(listLines);
    for (const auto& key : keys) {
        checkLookups({&full, &prepared, &partly}, folded, key);
    }
    return 0;
}
