#include "BenchInput.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tarvek::bench {
namespace {

// xorshift32: the same sequence everywhere (no library distributions).
class Random
{
public:
    explicit Random(std::uint32_t seed) : m_state(seed != 0 ? seed : 1) {}
    std::uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint32_t m_state;
};

std::string hexKey(int number)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04x", static_cast<unsigned>(number));
    return buffer;
}

} // namespace

Input makeInput(const InputShape& shape)
{
    Random rng(shape.seed);
    // Graphic numbers: distinct, from the item range of the game (0x0100..0x3FFF).
    std::vector<int> graphics;
    std::vector<bool> used(0x4000, false);
    while (static_cast<int>(graphics.size()) < shape.graphics) {
        const int g = 0x100 + rng.below(0x4000 - 0x100);
        if (!used[static_cast<std::size_t>(g)]) {
            used[static_cast<std::size_t>(g)] = true;
            graphics.push_back(g);
        }
    }

    Input input;
    std::string& f = input.importFile;
    f.reserve(static_cast<std::size_t>(shape.items) * 80 + 200);
    f += "[SCP Export] synthetische Benchmark-Datei\r\nEntry Header\r\n{\r\n\tVersion\t2\r\n}\r\n";
    struct Placed
    {
        int graphic, x, y, z;
    };
    std::vector<Placed> placed;
    placed.reserve(static_cast<std::size_t>(shape.items));
    // Positions on a square of about items/4 tiles, at eight heights, so that a fresh position
    // rarely meets an earlier one by chance.
    int side = 1;
    while (side * side * 8 < shape.items * 4) {
        ++side;
    }
    side = std::min(side, 4000);
    const int nestedPerMille = static_cast<int>(shape.nestedShare * 1000.0 + 0.5);
    char line[128];
    for (int i = 0; i < shape.items; ++i) {
        Placed p{};
        if (!placed.empty() && rng.below(1000) < nestedPerMille) {
            p = placed[static_cast<std::size_t>(rng.below(static_cast<int>(placed.size())))];
        } else {
            // Skewed use of graphics: some are common, most are rare.
            const int a = rng.below(shape.graphics);
            const int b = rng.below(shape.graphics);
            p.graphic = graphics[static_cast<std::size_t>(std::min(a, b))];
            p.x = 1000 + rng.below(side);
            p.y = 2000 + rng.below(side);
            p.z = (rng.below(8) - 1) * 5;
        }
        placed.push_back(p);
        const char kind = "IIIIIIMC"[rng.below(8)];
        std::snprintf(line, sizeof line,
                      "Entry %c 0x%08X\r\n\tgraphic\t%d\r\n\tx\t%d\r\n\ty\t%d\r\n\tz\t%d\r\n"
                      "\tcolor\t%d\r\n",
                      kind, 0x40000000u + static_cast<unsigned>(i), p.graphic, p.x, p.y, p.z,
                      rng.below(4) == 0 ? rng.below(2000) : 0);
        f += line;
    }

    // Price list: the used graphics (minus the unpriced ones) at random places among lines for
    // graphics that the import does not use, with a few bundles and marks.
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(shape.priceLines));
    lines.emplace_back("Schl\xfcssel|Name|Preis|Art|St\xfc"
                       "ck je Bund|Klasse|nicht importieren|Spawn");
    const int priced = std::max(0, shape.graphics - shape.unpricedGraphics);
    for (int k = 0; k < priced; ++k) {
        const int g = graphics[static_cast<std::size_t>(k)];
        const bool bundle = rng.below(10) == 0;
        const int cls = rng.below(3) == 0 ? 1 : 0;
        const int movable = k < shape.movableGraphics ? 1 : 0;
        const int spawn =
            (k >= shape.movableGraphics && k < shape.movableGraphics + shape.spawnGraphics) ? 1 : 0;
        std::snprintf(line, sizeof line, "%s|Item %d|%d|%s|%d|%d|%d|%d", hexKey(g).c_str(), g,
                      10 + rng.below(5000), bundle ? "b" : "t", bundle ? 10 : 1, movable ? 1 : cls,
                      movable, spawn);
        lines.emplace_back(line);
    }
    // Keys of graphics the import does not use, 0x40000 upwards: five digits whose first four are
    // above every used graphic, so that no used key is a prefix of them (that would make every
    // such filler line a substring match of the used key).
    int filler = 0x40000;
    while (static_cast<int>(lines.size()) < shape.priceLines) {
        std::snprintf(line, sizeof line, "%s|Anderes Item %d|%d|t|1|%d|0|0", hexKey(filler).c_str(),
                      filler, 10 + rng.below(5000), rng.below(2));
        lines.emplace_back(line);
        ++filler;
    }
    // Shuffle all but the heading line (Fisher-Yates with the same generator).
    for (std::size_t i = lines.size() - 1; i > 1; --i) {
        const auto j = 1 + static_cast<std::size_t>(rng.below(static_cast<int>(i)));
        std::swap(lines[i], lines[j]);
    }
    for (const auto& l : lines) {
        input.priceList += l;
        input.priceList += "\r\n";
    }
    return input;
}

} // namespace tarvek::bench
