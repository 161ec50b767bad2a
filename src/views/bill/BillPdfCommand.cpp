#include "views/bill/BillPdfCommand.h"

#include "calc/Calculation.h"
#include "gui/FileNameText.h"
#include "views/bill/BillDocument.h"

#include <iostream>
#include <stdexcept>

int writeBillPdf(const QString& importFile, const QString& outFile, bool water, bool basement,
                 const QString& programDir, const QString& priceList)
{
    tarvek::Calculation calc;
    const std::string path = engineFileName(importFile);
    const tarvek::CalculationOutcome outcome =
        tarvek::calculate(calc, {.importFile = path,
                                 .programDir = engineFileName(programDir + u'/'),
                                 .priceListFile = engineFileName(priceList),
                                 .fees = {water, basement},
                                 .nested = tarvek::Answer::Yes});
    std::cerr << tarvek::errorText(calc, path, "tarvek");
    if (!outcome.reachedEnd()) {
        return 1;
    }
    const BillDocument document(BillData::fromRun(
        importFile, calc.window, calc.state, {water, basement}, tarvek::systemLocaleSeparators()));
    try {
        document.writePdf(outFile);
    } catch (const std::exception& e) {
        std::cerr << "tarvek: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
