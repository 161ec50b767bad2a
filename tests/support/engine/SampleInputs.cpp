#include "support/engine/SampleInputs.h"

#include <array>

namespace tarvek::hardening {
namespace {

// One entry as the export tool writes it.
void appendItem(std::string& out, std::uint32_t serial, int graphic, int x, int y, int z, int color)
{
    out += "Entry I 0x";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (int shift = 28; shift >= 0; shift -= 4) {
        out += kHex[(serial >> shift) & 0xF];
    }
    out += "\r\n{\r\n\tgraphic\t" + std::to_string(graphic) + "\r\n\tx\t" + std::to_string(x) +
           "\r\n\ty\t" + std::to_string(y) + "\r\n\tz\t" + std::to_string(z) + "\r\n\tcolor\t" +
           std::to_string(color) + "\r\n}\r\n";
}

constexpr std::string_view kHeader = "Entry Header\r\n{\r\n\tVersion\t2\r\n}\r\n";

} // namespace

std::string samplePriceList()
{
    return "Schl\xFCssel|Name|Preis|Art|St\xFC"
           "ck je Bund|Klasse|nicht importieren|Spawn\r\n"
           "0x0064|Steinwand|250|t|1|0|0|0\r\n"
           "0x0e75|Rucksack|120|T|1|0|0|0\r\n"
           "0x1bfb|Fackeln|500|b|10|1|0|0\r\n"
           "0x0e77|Fass|90|t|1|1|1|0\r\n"
           "0x1f13|Spawner|5000|t|1|1|0|1\r\n"
           "0x0495|Bauzonenrand|0|t|1|0|0|0\r\n"
           "0x0b00|Leerer Bund|100|b|0|0|0|0\r\n"
           "0x0bad|kaputt|12\r\n";
}

std::string sampleImport()
{
    std::string out = "[Export] Beispiel\r\n" + std::string(kHeader);
    std::uint32_t serial = 0x40000001;
    // graphic, x, y, z, color
    static constexpr std::array<std::array<int, 5>, 12> kItems = {{
        {100, 1430, 1610, 0, 0},
        {100, 1430, 1610, 0, 0}, // nested with the one above
        {3701, 1431, 1611, -5, 0},
        {7163, 1432, 1612, 20, 0},
        {7163, 1433, 1612, 20, 0},
        {3703, 1434, 1613, 0, 0},    // may not be imported
        {7955, 1435, 1614, 0, 0},    // spawn
        {1173, 1436, 1615, 0, 1283}, // border
        {4660, 1437, 1616, 0, 0},    // not in the price list
        {5702, 1438, 1617, 0, 0},    // exempt
        {2816, 1439, 1618, 0, 0},    // bundle of 0 pieces
        {100, 1440, 1630, -25, 0},
    }};
    for (const auto& it : kItems) {
        appendItem(out, serial++, it[0], it[1], it[2], it[3], it[4]);
    }
    return out;
}

std::string generatedImport(std::size_t items, std::uint32_t seed)
{
    static constexpr std::array<int, 8> kGraphics = {100, 3701, 7163, 3703, 7955, 1173, 4660, 1313};
    std::string out = std::string(kHeader);
    out.reserve(out.size() + items * 80);
    std::uint32_t state = seed == 0 ? 1 : seed;
    auto next = [&state]() {
        // xorshift32: cheap and the same on every machine.
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (std::size_t i = 0; i < items; ++i) {
        const std::uint32_t r = next();
        const int graphic = kGraphics[r % kGraphics.size()];
        const int x = 1000 + static_cast<int>((r >> 4) % 300);
        const int y = 2000 + static_cast<int>((r >> 13) % 300);
        const int z = static_cast<int>((r >> 22) % 40) - 20;
        const int color = graphic == 1173 && (r >> 28) == 0 ? 1283 : 0;
        appendItem(out, 0x40000000u + static_cast<std::uint32_t>(i), graphic, x, y, z, color);
    }
    return out;
}

} // namespace tarvek::hardening
