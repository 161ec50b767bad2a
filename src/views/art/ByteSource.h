#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvek::art {

// Random read access to the bytes of one art file. Reads outside the data fail instead of
// reading past it.
class ByteSource
{
public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t size() const = 0;
    // Fills `out` with `length` bytes from `offset`; false (and `out` unspecified) when the range
    // does not lie wholly inside the data or the read fails.
    virtual bool read(std::uint64_t offset, std::size_t length,
                      std::vector<std::uint8_t>& out) const = 0;

    bool contains(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= size() && length <= size() - offset;
    }
};

} // namespace tarvek::art
