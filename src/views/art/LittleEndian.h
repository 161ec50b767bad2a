#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>

namespace tarvek::art {

// Reads a little-endian whole number of type T at `offset`; nothing when it does not lie wholly
// inside `data`.
template <typename T>
std::optional<T> readLittleEndian(std::span<const std::uint8_t> data, std::uint64_t offset)
{
    static_assert(std::is_integral_v<T>);
    if (offset > data.size() || sizeof(T) > data.size() - offset) {
        return std::nullopt;
    }
    std::make_unsigned_t<T> value = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) {
        value = static_cast<std::make_unsigned_t<T>>((static_cast<std::uint64_t>(value) << 8) |
                                                     data[static_cast<std::size_t>(offset) + i]);
    }
    return static_cast<T>(value);
}

} // namespace tarvek::art
