// The whole calculation run over arbitrary price list bytes, with a fixed sample import that
// reaches every lookup of the price list.
#include "fuzz/FuzzRun.h"
#include "hardening/SampleInputs.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string import = tarvek::hardening::sampleImport();
    const std::string prices(reinterpret_cast<const char*>(data), size);
    tarvek::fuzz::runChecked(import, prices, tarvek::fuzz::choiceOf(data, size));
    return 0;
}
