#include "views/bill/BillPdfCommand.h"

#include "calc/cli/CalcCommand.h"
#include "views/bill/BillDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cstring>
#include <iostream>
#include <stdexcept>

namespace {

constexpr const char* kUsage =
    "Aufruf: tarvek --pdf AUSGABE.pdf [--water] [--basement] IMPORTDATEI\n";

} // namespace

int writeBillPdf(const QString& importFile, const QString& outFile, bool water, bool basement,
                 const QString& programDir)
{
    const QString folder =
        (programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir) + u'/';
    tarvek::Calculation calc;
    tarvek::calculate(calc, importFile.toStdString(), folder.toStdString(), {}, {water, basement},
                      tarvek::Answer::Yes);
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

bool pdfRequested(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pdf") == 0 || std::strncmp(argv[i], "--pdf=", 6) == 0) {
            return true;
        }
    }
    return false;
}

int runPdfCommand(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QString outFile;
    QString importFile;
    bool water = false;
    bool basement = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--pdf") && i + 1 < args.size()) {
            outFile = args[++i];
        } else if (arg.startsWith(QLatin1String("--pdf="))) {
            outFile = arg.mid(6);
        } else if (arg == QLatin1String("--water")) {
            water = true;
        } else if (arg == QLatin1String("--basement")) {
            basement = true;
        } else if (!arg.startsWith(u'-') && importFile.isEmpty()) {
            importFile = arg;
        } else {
            outFile.clear();
            break;
        }
    }
    if (outFile.isEmpty() || importFile.isEmpty()) {
        std::cerr << kUsage;
        return 2;
    }
    return writeBillPdf(importFile, outFile, water, basement);
}
