#include "views/bill/BillPdfCommand.h"

#include "calc/Calculation.h"
#include "views/bill/BillDocument.h"

#include <iostream>
#include <stdexcept>

int writeBillPdf(const QString& importFile, const QString& outFile, bool water, bool basement,
                 const QString& programDir)
{
    tarvek::Calculation calc;
    tarvek::calculate(calc, importFile.toStdString(), (programDir + u'/').toStdString(), {},
                      {water, basement}, tarvek::Answer::Yes);
    for (const auto& message : calc.window.messages()) {
        if (message.kind != tarvek::RecordingObserver::Message::Kind::Question) {
            std::cerr << "tarvek: " << message.title << ": " << message.text << "\n";
        }
    }
    if (!calc.reachedEnd) {
        if (calc.outcome == "invalid") {
            std::cerr << "tarvek: " << importFile.toStdString()
                      << " ist keine gültige Importdatei\n";
        }
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
