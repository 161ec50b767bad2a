// The whole calculation run over arbitrary import file bytes, with a fixed small price list.
// Besides libFuzzer's byte mutations, one mutation in three works on the file's entries and key
// lines, so that the fuzzer reaches the limits of the phases without guessing them byte by byte.
#include "fuzz/FuzzRun.h"
#include "fuzz/TextMutator.h"
#include "importfile/ImportFormat.h"
#include "support/engine/SampleInputs.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace tarvek;
using tarvek::fuzz::TextMutator;

namespace {

constexpr std::array<std::string_view, 5> kValueKeys = {kKeyGraphic, kKeyX, kKeyY, kKeyZ,
                                                        kKeyColor};

// The lines holding `key`.
std::vector<std::size_t> linesWith(const TextMutator& text, std::string_view key)
{
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.text(i).find(key) != std::string_view::npos) {
            found.push_back(i);
        }
    }
    return found;
}

// The entries: from a line with "Entry I", "Entry M" or "Entry C" up to the next such line.
std::vector<TextMutator::Record> entries(const TextMutator& text)
{
    std::vector<TextMutator::Record> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view line = text.text(i);
        if (line.find("Entry I") != std::string_view::npos ||
            line.find("Entry M") != std::string_view::npos ||
            line.find("Entry C") != std::string_view::npos) {
            if (!found.empty() && found.back().second == text.size()) {
                found.back().second = i;
            }
            found.emplace_back(i, text.size());
        }
    }
    return found;
}

// The value of one key line at a limit of the phases: the lowest level's -19 and -20, the
// graphic of a build-zone border, or a number at the edges of the conversion.
void setEdgeValue(TextMutator& text)
{
    const std::string_view key = kValueKeys[text.below(kValueKeys.size())];
    const auto lines = linesWith(text, key);
    if (lines.empty()) {
        return;
    }
    static const std::vector<std::string> levels = {"-19", "-20", "-5", "1173", "1283", "9999"};
    text.setValue(text.pick(lines), key,
                  text.oneIn(2) ? text.pick(levels) : text.pick(fuzz::edgeNumbers()));
}

// Every x and y line set so that the extents cover just the area of an owner-type limit, or one
// column more: all items but the first x and y line stand at 1000, 2000.
void setExtentsAtLimit(TextMutator& text)
{
    // width x height of 300, 450, 1000 and 3000 square steps.
    static constexpr std::array<std::pair<int, int>, 4> kAreas = {
        {{20, 15}, {30, 15}, {40, 25}, {60, 50}}};
    const auto [width, height] = kAreas[text.below(kAreas.size())];
    const int extra = static_cast<int>(text.below(2));
    const auto xs = linesWith(text, kKeyX);
    const auto ys = linesWith(text, kKeyY);
    for (std::size_t k = 0; k < xs.size(); ++k) {
        text.setValue(xs[k], kKeyX, std::to_string(1000 + (k == 0 ? width - 1 + extra : 0)));
    }
    for (std::size_t k = 0; k < ys.size(); ++k) {
        text.setValue(ys[k], kKeyY, std::to_string(2000 + (k == 0 ? height - 1 : 0)));
    }
}

// A graphic made a build-zone border: 1173, with the colour 1283 four lines below.
void makeBorder(TextMutator& text)
{
    const auto graphics = linesWith(text, kKeyGraphic);
    if (graphics.empty()) {
        return;
    }
    const std::size_t g = text.pick(graphics);
    text.setValue(g, kKeyGraphic, "1173");
    if (g + 4 < text.size()) {
        if (text.text(g + 4).find(kKeyColor) != std::string_view::npos) {
            text.setValue(g + 4, kKeyColor, "1283");
        } else {
            text.setText(g + 4, "\tcolor\t1283");
        }
    }
}

// One item moved onto another's place with its graphic, so that the two lie in one another.
void nest(TextMutator& text)
{
    const auto graphics = linesWith(text, kKeyGraphic);
    if (graphics.size() < 2) {
        return;
    }
    const std::size_t from = text.pick(graphics);
    const std::size_t to = text.pick(graphics);
    for (std::size_t k = 0; k < 4 && from + k < text.size() && to + k < text.size(); ++k) {
        text.setText(to + k, std::string(text.text(from + k)));
    }
}

std::size_t mutateImport(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed)
{
    TextMutator text(data, size, seed);
    switch (text.below(5)) {
    case 0:
        // Duplicating an entry up to 3001 times only fits when the length limit allows it.
        if (!text.mutateRecords(entries(text), {3000, 3001, 2, 3}, maxSize)) {
            return 0;
        }
        break;
    case 1:
        setEdgeValue(text);
        break;
    case 2:
        setExtentsAtLimit(text);
        break;
    case 3:
        makeBorder(text);
        break;
    default:
        nest(text);
        break;
    }
    return text.write(data, maxSize);
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned seed)
{
    return fuzz::mutateWith(data, size, maxSize, seed, 3, mutateImport);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string prices = hardening::samplePriceList();
    const std::string import(reinterpret_cast<const char*>(data), size);
    fuzz::runChecked(import, prices, fuzz::choiceOf(data, size));
    return 0;
}
