#include "views/plan/PlanExport.h"

#include "calc/Calculation.h"
#include "gui/FileNameText.h"
#include "views/plan/PlanPicture.h"
#include "views/plan/PlanTiles.h"

#include <cstdio>
#include <stdexcept>

namespace {

int fail(const std::string& message)
{
    std::fprintf(stderr, "tarvek: %s\n", message.c_str());
    return 1;
}

} // namespace

bool calculateForPicture(tarvek::Calculation& calc, const QString& importFile,
                         const QString& programDir, const QString& priceList)
{
    const std::string path = engineFileName(importFile);
    const tarvek::CalculationOutcome outcome =
        tarvek::calculate(calc, {.importFile = path,
                                 .programDir = engineFileName(programDir + u'/'),
                                 .priceListFile = engineFileName(priceList),
                                 .nested = tarvek::Answer::Yes,
                                 .recordItems = true});
    if (outcome.run != tarvek::RunOutcome::Complete) {
        std::fputs(tarvek::errorText(calc, path, "tarvek").c_str(), stderr);
        return false;
    }
    return true;
}

int writePlanPng(const QString& importFile, const QString& outFile, const QString& programDir,
                 const QString& priceList)
{
    tarvek::Calculation calc;
    if (!calculateForPicture(calc, importFile, programDir, priceList)) {
        return 1;
    }
    try {
        const tarvek::plan::PlanTiles tiles(calc.items.items(), std::nullopt);
        tarvek::plan::PlanPicture(calc.items, tiles, QStringLiteral("Alle Ebenen"))
            .save(outFile, tarvek::plan::PlanPicture::Format::Png);
    } catch (const std::exception& error) {
        return fail(error.what());
    }
    return 0;
}
