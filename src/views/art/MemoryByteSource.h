#pragma once

#include "views/art/ByteSource.h"

#include <algorithm>
#include <span>

namespace tarvek::art {

// Bytes held in memory by the caller, who keeps them alive while the source is used.
class MemoryByteSource : public ByteSource
{
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> data) : m_data(data) {}

    std::uint64_t size() const override { return m_data.size(); }
    bool read(std::uint64_t offset, std::size_t length,
              std::vector<std::uint8_t>& out) const override
    {
        if (!contains(offset, length)) {
            return false;
        }
        const auto first = m_data.begin() + static_cast<std::ptrdiff_t>(offset);
        out.assign(first, first + static_cast<std::ptrdiff_t>(length));
        return true;
    }

private:
    std::span<const std::uint8_t> m_data;
};

} // namespace tarvek::art
