#include "calc/RunInputs.h"

#include "base/FileNames.h"
#include "base/StandardStreams.h"
#include "pricing/PriceList.h"

namespace tarvek {

std::vector<ReadFile> filesRead(const CalculationRequest& request)
{
    std::vector<ReadFile> files{{request.importFile, "die Importdatei"}};
    const std::optional<std::string> priceList =
        request.priceListFile.empty() ? findPriceList(request.programDir) : request.priceListFile;
    if (priceList) {
        files.push_back({*priceList, "die Preisliste"});
    }
    return files;
}

std::string overwrittenInput(std::string_view option, const std::string& output,
                             const std::vector<ReadFile>& inputs)
{
    if (output.empty() || namesStandardOutput(output)) {
        return {};
    }
    for (const ReadFile& input : inputs) {
        if (!input.file.empty() && sameFile(output, input.file)) {
            return std::string(option) + " würde " + std::string(input.what) +
                   " überschreiben: " + output;
        }
    }
    return {};
}

} // namespace tarvek
