// The whole calculation run over arbitrary import file bytes, with a fixed small price list.
#include "fuzz/FuzzRun.h"
#include "hardening/SampleInputs.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string prices = tarvek::hardening::samplePriceList();
    const std::string import(reinterpret_cast<const char*>(data), size);
    tarvek::fuzz::runChecked(import, prices, tarvek::fuzz::choiceOf(data, size));
    return 0;
}
