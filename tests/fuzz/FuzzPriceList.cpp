// The whole calculation run over arbitrary price list bytes, with a fixed sample import that
// reaches every lookup of the price list. Besides libFuzzer's byte mutations, one mutation in
// three works on the price lines and their columns.
#include "fuzz/FuzzRun.h"
#include "fuzz/TextMutator.h"
#include "importfile/ImportFormat.h"
#include "support/engine/SampleInputs.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace tarvek;
using tarvek::fuzz::TextMutator;

namespace {

// The sample import without the lines no phase reads (the export's first line, the version and
// the entries' braces): the same items and lookups with a quarter fewer lines to scan.
std::string compactImport()
{
    std::string out;
    bool headerBrace = false;
    for (const auto& line : splitLines(hardening::sampleImport())) {
        const bool brace = line == "{" || line == "}";
        if ((brace && headerBrace) || line.starts_with("[") ||
            line.find("Version") != std::string::npos) {
            continue;
        }
        headerBrace = headerBrace || brace;
        out += line + "\r\n";
    }
    return out;
}

std::vector<TextMutator::Record> priceLines(const TextMutator& text)
{
    std::vector<TextMutator::Record> lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        lines.emplace_back(i, i + 1);
    }
    return lines;
}

// A line made of columns again.
std::string joined(const std::vector<std::string>& columns)
{
    std::string out;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        out += (k == 0 ? "" : "|") + columns[k];
    }
    return out;
}

// One column of a line set to a value where the pricing changes: the key of a graphic of the
// import (as the price list writes it, in upper case, or with one more digit), a price or piece
// count at an edge, a kind, a mark; or a column dropped or added.
void mutateColumn(TextMutator& text)
{
    if (text.size() == 0) {
        return;
    }
    static const std::vector<std::string> keys = {"0x0064", "0x0e75", "0x1bfb",  "0x0e77",
                                                  "0x1f13", "0x0495", "0x0b00",  "0x1234",
                                                  "0x1646", "0x0E75", "0x0e751", "0X1F13"};
    static const std::vector<std::string> kinds = {"t", "T", "b", "t ", "", "tt"};
    static const std::vector<std::string> marks = {"0", "1", "", "10", "01", " 1"};
    const std::size_t index = text.below(text.size());
    auto cells = fuzz::splitColumns(text.text(index));
    const std::size_t column = text.below(9); // 0-based; 8: one beyond the eighth
    if (text.oneIn(8)) {
        if (cells.size() > 1) {
            cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(text.below(cells.size())));
        }
    } else {
        cells.resize(std::max(cells.size(), column + 1));
        std::string& cell = cells[column];
        switch (column) {
        case 0:
        case 1:
            cell = text.pick(keys);
            break;
        case 2:
        case 4:
            cell = text.pick(fuzz::edgeNumbers());
            break;
        case 3:
            cell = text.pick(kinds);
            break;
        default:
            cell = text.pick(marks);
            break;
        }
    }
    text.setText(index, joined(cells));
}

std::size_t mutatePrices(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed)
{
    TextMutator text(data, size, seed);
    if (text.oneIn(3)) {
        // Repeating a spawn line up to the spawn limits 10, 20, 30 and 60 and one beyond.
        if (!text.mutateRecords(priceLines(text), {2, 10, 11, 20, 21, 30, 31, 60, 61}, maxSize)) {
            return 0;
        }
    } else {
        mutateColumn(text);
    }
    return text.write(data, maxSize);
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned seed)
{
    return fuzz::mutateWith(data, size, maxSize, seed, 3, mutatePrices);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string import = compactImport();
    const std::string prices(reinterpret_cast<const char*>(data), size);
    fuzz::runChecked(import, prices, fuzz::choiceOf(data, size));
    return 0;
}
