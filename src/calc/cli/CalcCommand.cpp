#include "calc/cli/CalcCommand.h"

#include "calc/BreakdownCsv.h"
#include "calc/Calculation.h"
#include "calc/cli/Report.h"
#include "importfile/FileNames.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <unistd.h>

namespace tarvek {
namespace {

constexpr std::string_view kUsage =
    "Aufruf: tarvek-calc [--price-list DATEI] [--water] [--basement] [--nested continue|stop] "
    "[--json] [--csv DATEI] IMPORTDATEI\n"
    "  --price-list DATEI  Preisliste (Standard: Preisliste.txt neben dem Programm oder, bei "
    "einer installierten Kopie, im Datenordner des Benutzers)\n"
    "  --water             \"Wasserbau\" angekreuzt\n"
    "  --basement          \"Kellerbau (nur Gilden)\" angekreuzt\n"
    "  --nested ANTWORT    Antwort auf die Frage nach ineinanderliegenden Items "
    "(continue = Ja, stop = Nein; Standard continue)\n"
    "  --json              Ergebnis als JSON\n"
    "  --csv DATEI         Kostenaufstellung als CSV (Semikolon, UTF-8) in DATEI; - für die "
    "Standardausgabe statt des Ergebnisses\n";

struct Options
{
    std::string priceList;
    bool water = false;
    bool basement = false;
    Answer nested = Answer::Yes;
    bool json = false;
    std::string csvFile; // empty: no CSV; "-": standard output
    std::string importFile;
};

// Parses the arguments; an error text when they are not usable.
std::string parse(const std::vector<std::string>& args, Options& options)
{
    bool haveFile = false;
    bool endOfOptions = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool hasValue = false;
        if (!endOfOptions && arg.rfind("--", 0) == 0) {
            if (arg == "--") {
                endOfOptions = true;
                continue;
            }
            const std::size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                value = arg.substr(eq + 1);
                arg.resize(eq);
                hasValue = true;
            }
            auto takeValue = [&]() -> bool {
                if (hasValue) {
                    return true;
                }
                if (i + 1 >= args.size()) {
                    return false;
                }
                value = args[++i];
                return true;
            };
            if (arg == "--price-list") {
                if (!takeValue() || value.empty()) {
                    return "--price-list braucht eine Datei";
                }
                options.priceList = value;
            } else if (arg == "--nested") {
                if (!takeValue()) {
                    return "--nested braucht continue oder stop";
                }
                if (value == "continue") {
                    options.nested = Answer::Yes;
                } else if (value == "stop") {
                    options.nested = Answer::No;
                } else {
                    return "--nested braucht continue oder stop, nicht '" + value + "'";
                }
            } else if (arg == "--csv") {
                if (!takeValue() || value.empty()) {
                    return "--csv braucht eine Datei oder -";
                }
                options.csvFile = value;
            } else if (hasValue) {
                return "unbekannte Option oder Option ohne Wert: " + args[i];
            } else if (arg == "--water") {
                options.water = true;
            } else if (arg == "--basement") {
                options.basement = true;
            } else if (arg == "--json") {
                options.json = true;
            } else {
                return "unbekannte Option: " + arg;
            }
        } else if (!endOfOptions && arg.size() > 1 && arg[0] == '-') {
            return "unbekannte Option: " + arg;
        } else {
            if (haveFile) {
                return "nur eine Importdatei erlaubt";
            }
            options.importFile = arg;
            haveFile = true;
        }
    }
    if (!haveFile) {
        return "keine Importdatei angegeben";
    }
    if (options.json && options.csvFile == "-") {
        return "--json und --csv - schreiben beide auf die Standardausgabe";
    }
    return {};
}

// Writes the file through a temporary file beside it, so that a failed write leaves no cut-short
// file and keeps an older one; false with the reason when it fails.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& reason)
{
    namespace fs = std::filesystem;
    const fs::path target = pathOf(path);
    fs::path temporary = target;
    temporary += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            reason = std::strerror(errno);
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        reason = error.message();
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace

int runCalcCommand(const std::vector<std::string>& args, const std::string& programDir,
                   std::ostream& out, std::ostream& err)
{
    Options options;
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return 0;
        }
    }
    if (const std::string problem = parse(args, options); !problem.empty()) {
        err << "tarvek-calc: " << problem << "\n" << kUsage;
        return 2;
    }

    Calculation calc;
    calc.recordItems = options.json; // only the JSON report lists them
    calculate(calc, options.importFile, programDir, options.priceList,
              {options.water, options.basement}, options.nested);
    const CalcResult result{calc.outcome, calc.window, calc.state, &calc.items};
    const FeeChoice fees{options.water, options.basement};
    const bool csvToOut = options.csvFile == "-";
    if (csvToOut) {
        // Only a run that reached its end has a breakdown and a bill to write.
        if (calc.reachedEnd) {
            out << breakdownCsv(calc.state, fees);
        }
    } else {
        out << (options.json ? jsonReport(result) : textReport(result));
    }
    out.flush();
    if (calc.reachedEnd && !options.csvFile.empty() && !csvToOut) {
        std::string reason;
        if (!writeFileAtomically(options.csvFile, breakdownCsv(calc.state, fees), reason)) {
            err << "tarvek-calc: " << options.csvFile
                << " kann nicht geschrieben werden: " << reason << "\n";
            return 1;
        }
    }
    return calc.reachedEnd ? 0 : 1;
}

} // namespace tarvek
