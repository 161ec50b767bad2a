#include "fuzz/TextMutator.h"

#include <algorithm>
#include <cstring>

namespace tarvek::fuzz {

TextMutator::TextMutator(const std::uint8_t* data, std::size_t size, unsigned seed) : m_random(seed)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
        }
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            m_lines.emplace_back(bytes.substr(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < bytes.size()) {
        m_lines.emplace_back(bytes.substr(start));
    }
}

std::string_view TextMutator::text(std::size_t index) const
{
    std::string_view line = m_lines[index];
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    return line;
}

void TextMutator::setText(std::size_t index, std::string_view text)
{
    std::string& line = m_lines[index];
    line.replace(0, this->text(index).size(), text);
}

std::string TextMutator::lineEnd() const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (const std::size_t length = text(i).size(); length < m_lines[i].size()) {
            return m_lines[i].substr(length);
        }
    }
    return "\n";
}

bool TextMutator::mutateRecords(const std::vector<Record>& records, const std::vector<int>& counts,
                                std::size_t maxSize)
{
    if (records.empty()) {
        return false;
    }
    // Records move and repeat as whole lines: the last line gets a line end, so that nothing runs
    // into it.
    if (!m_lines.empty() && text(m_lines.size() - 1).size() == m_lines.back().size()) {
        m_lines.back() += lineEnd();
    }
    const auto copyOf = [this](const Record& r) {
        return std::vector<std::string>(m_lines.begin() + r.first, m_lines.begin() + r.second);
    };
    const Record r = pick(records);
    switch (below(4)) {
    case 0: { // duplicate
        const auto copy = copyOf(r);
        m_lines.insert(m_lines.begin() + r.second, copy.begin(), copy.end());
        break;
    }
    case 1: // drop
        m_lines.erase(m_lines.begin() + r.first, m_lines.begin() + r.second);
        break;
    case 2: { // swap with another record that does not overlap it
        const Record other = pick(records);
        if (other.second <= r.first || other.first >= r.second) {
            const Record& a = other.first < r.first ? other : r;
            const Record& b = other.first < r.first ? r : other;
            auto first = copyOf(a);
            auto second = copyOf(b);
            std::vector<std::string> between(m_lines.begin() + a.second, m_lines.begin() + b.first);
            std::vector<std::string> swapped = std::move(second);
            swapped.insert(swapped.end(), between.begin(), between.end());
            swapped.insert(swapped.end(), first.begin(), first.end());
            m_lines.erase(m_lines.begin() + a.first, m_lines.begin() + b.second);
            m_lines.insert(m_lines.begin() + a.first, swapped.begin(), swapped.end());
        }
        break;
    }
    default: { // repeat until there are `count` copies
        const auto copy = copyOf(r);
        std::size_t length = 0;
        for (const auto& line : copy) {
            length += line.size();
        }
        const std::size_t size = bytes();
        std::vector<int> fitting;
        for (const int count : counts) {
            if (size + length * static_cast<std::size_t>(count - 1) <= maxSize) {
                fitting.push_back(count);
            }
        }
        const int count = fitting.empty() ? 2 : pick(fitting);
        for (int k = 1; k < count; ++k) {
            m_lines.insert(m_lines.begin() + r.second, copy.begin(), copy.end());
        }
        break;
    }
    }
    return true;
}

void TextMutator::setValue(std::size_t index, std::string_view key, std::string_view value)
{
    const std::string_view line = text(index);
    const std::size_t at = line.find(key);
    if (at != std::string_view::npos) {
        std::string changed(line.substr(0, at + key.size()));
        changed += value;
        setText(index, changed);
    }
}

std::size_t TextMutator::bytes() const
{
    std::size_t size = 0;
    for (const auto& line : m_lines) {
        size += line.size();
    }
    return size;
}

std::size_t TextMutator::write(std::uint8_t* data, std::size_t maxSize) const
{
    const std::size_t size = bytes();
    if (size > maxSize) {
        return 0;
    }
    std::size_t at = 0;
    for (const auto& line : m_lines) {
        std::memcpy(data + at, line.data(), line.size());
        at += line.size();
    }
    return size;
}

std::vector<std::string> splitColumns(std::string_view line)
{
    std::vector<std::string> columns(1);
    for (const char c : line) {
        if (c == '|') {
            columns.emplace_back();
        } else {
            columns.back() += c;
        }
    }
    return columns;
}

const std::vector<std::string>& edgeNumbers()
{
    static const std::vector<std::string> numbers = {
        "0",           "1",         "-1",         "2147483647", "-2147483648", "2147483648",
        "-2147483649", "$7FFFFFFF", "-$80000000", "0x80000000", "+0",          "-0",
    };
    return numbers;
}

std::size_t mutateWith(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed,
                       std::size_t oneIn,
                       std::size_t (*customMutation)(std::uint8_t*, std::size_t, std::size_t,
                                                     unsigned))
{
    if (seed % oneIn == 0) {
        if (const std::size_t mutated = customMutation(data, size, maxSize, seed / oneIn)) {
            return mutated;
        }
    }
    return LLVMFuzzerMutate(data, size, maxSize);
}

} // namespace tarvek::fuzz
