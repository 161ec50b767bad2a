#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek::art {

// Names and name hashes of the entries of artLegacyMUL.uop.
class UopHash
{
public:
    // Bob Jenkins' lookup3 hashlittle2 over the bytes of `name`, both seeds 0; (b << 32) | c.
    static std::uint64_t hashLittle2(std::string_view name);
    // "build/artlegacymul/%08d.tga" for an art index.
    static std::string artEntryName(std::uint32_t index);
};

} // namespace tarvek::art
