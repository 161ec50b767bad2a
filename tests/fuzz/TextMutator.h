#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek::fuzz {

// libFuzzer's own byte mutations (with the dictionary), for custom mutators.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

// A text file taken apart into lines, for mutations at the level of its format. Lines end at
// LF, CR LF or CR, as the engine reads them; each line keeps the end it had (the last one may
// have none). Records are runs of lines (an entry of the import file, a line of the price list)
// that the record mutations duplicate, drop, swap and repeat.
class TextMutator
{
public:
    TextMutator(const std::uint8_t* data, std::size_t size, unsigned seed);

    // 0 .. n-1 (n > 0).
    std::size_t below(std::size_t n)
    {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random);
    }
    bool oneIn(std::size_t n) { return below(n) == 0; }

    std::size_t size() const { return m_lines.size(); }

    // The text of line `index` without its line end, and setting it (the end stays).
    std::string_view text(std::size_t index) const;
    void setText(std::size_t index, std::string_view text);
    // The line end used when a line is added: the first one of the file, else LF.
    std::string lineEnd() const;

    // Records: the half-open line ranges [first, last). One of the record mutations: duplicate
    // one (the copy follows it), drop one, swap two, or repeat one until there are `count`
    // copies of it (a count from the list that keeps the text within maxSize bytes). False when
    // there are no records.
    using Record = std::pair<std::size_t, std::size_t>;
    bool mutateRecords(const std::vector<Record>& records, const std::vector<int>& counts,
                       std::size_t maxSize);

    // Replaces the value after `key` on line `index` (up to the line end) by `value`.
    void setValue(std::size_t index, std::string_view key, std::string_view value);

    // One of `choices`.
    template <typename T> const T& pick(const std::vector<T>& choices)
    {
        return choices[below(choices.size())];
    }

    // The length of the text in bytes.
    std::size_t bytes() const;
    // Writes the text to `data`; 0 when it is longer than maxSize.
    std::size_t write(std::uint8_t* data, std::size_t maxSize) const;

private:
    std::mt19937 m_random;
    std::vector<std::string> m_lines;
};

// The columns of a price line: the texts between the "|".
std::vector<std::string> splitColumns(std::string_view line);

// Numbers where the engine's behaviour changes whatever they stand for: 0, 1, negative, the
// 32-bit limits and one beyond, in the forms the whole-number conversion reads.
const std::vector<std::string>& edgeNumbers();

// customMutation: the format's own mutation of `data`, or 0 when it has nothing to do or the
// result is too long. With probability one in `oneIn` it is tried; libFuzzer's byte mutations
// do the rest.
std::size_t mutateWith(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed,
                       std::size_t oneIn,
                       std::size_t (*customMutation)(std::uint8_t*, std::size_t, std::size_t,
                                                     unsigned));

} // namespace tarvek::fuzz
