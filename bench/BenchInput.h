#pragma once

#include <cstdint>
#include <string>

namespace tarvek::bench {

// Parameters of a synthetic import file and price list.
struct InputShape
{
    int items = 10000;         // entries; 6 lines each ("Entry I", graphic, x, y, z, color)
    int graphics = 300;        // distinct graphic numbers
    int priceLines = 20000;    // lines of the price list
    double nestedShare = 0.05; // share of items placed on the position of an earlier item
    int movableGraphics = 3;   // graphics whose price line marks them as not importable
    int spawnGraphics = 2;     // graphics marked as spawns
    int unpricedGraphics = 10; // graphics without a price line
    std::uint32_t seed = 20240601;
};

struct Input
{
    std::string importFile; // Windows-1252 bytes, CR LF
    std::string priceList;
};

// Deterministic: the same shape gives the same bytes on every machine.
Input makeInput(const InputShape& shape);

} // namespace tarvek::bench
