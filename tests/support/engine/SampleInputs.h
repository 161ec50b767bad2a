#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvek::hardening {

// A small price list that reaches every branch of the pricing: pieces and bundles for both item
// sums, an item that may not be imported, a spawn, a bundle of 0 pieces and a line with too few
// columns. CR LF line ends, Windows-1252.
std::string samplePriceList();

// A small import that reaches every phase with the sample price list: nested items, a border
// item, a graphic that may not be imported, a spawn, an unpriced and an exempt graphic.
std::string sampleImport();

// An import of `items` items of the shape the export tool writes, spread over a square of a few
// hundred tiles with a handful of graphics, some of them nested. The same seed gives the same
// file. Fast enough for hundreds of thousands of items.
std::string generatedImport(std::size_t items, std::uint32_t seed = 1);

} // namespace tarvek::hardening
