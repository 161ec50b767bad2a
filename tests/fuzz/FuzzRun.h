#pragma once

#include "calc/CalculationRun.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvek::fuzz {

// One whole calculation run over the import and price list bytes, with the window of a run that
// a person drives: the nested-items question is answered and "Stopp" is pressed (or not) as the
// bytes decide, so that the same bytes always take the same way. Every rule the checked window
// knows is tested afterwards; a broken rule prints it and aborts, which the fuzzer reports as a
// crash. The validity test comes first, as in the window's load command: an invalid import is
// not run. One run in thirty-two reads its files from a folder of the process instead of taking
// the bytes in memory, with the system's clock and separators.
void runChecked(const std::string& importBytes, const std::string& priceListBytes,
                std::uint64_t choice);

// FNV-1a over bytes: the choice value of an input.
std::uint64_t choiceOf(const std::uint8_t* data, std::size_t size);

} // namespace tarvek::fuzz
