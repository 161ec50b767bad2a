#include "calc/cli/CalcCommand.h"

#include "base/FileNames.h"
#include "base/StandardStreams.h"
#include "base/SystemReason.h"
#include "base/Version.h"
#include "calc/BreakdownCsv.h"
#include "calc/Calculation.h"
#include "calc/RunInputs.h"
#include "calc/cli/BatchCommand.h"
#include "calc/cli/FileCommands.h"
#include "calc/cli/Report.h"
#include "importfile/ImportFormat.h"
#include "pricing/PriceList.h"

#include <cerrno>
#include <optional>
#include <ostream>
#include <set>

namespace tarvek {
namespace {

constexpr std::string_view kUsage =
    "Aufruf: tarvek-calc [--price-list DATEI] [--water] [--basement] [--nested continue|stop] "
    "[--json] [--csv DATEI] IMPORTDATEI\n"
    "       tarvek-calc --batch [--jobs N] [--price-list DATEI] [--water] [--basement] "
    "[--nested continue|stop] [--json] [--csv DATEI --csv-unpriced DATEI] PFAD...\n"
    "       tarvek-calc --clean AUSGABE [--nested-copies] [--price-list DATEI] [--nested ...] "
    "IMPORTDATEI\n"
    "       tarvek-calc --compare ALTE_DATEI [--json] [--csv DATEI] [--price-list DATEI] "
    "[--water] [--basement] NEUE_DATEI\n"
    "  --price-list DATEI  Preisliste (Standard: Preisliste.txt neben dem Programm oder, bei "
    "einer installierten Kopie, im Datenordner des Benutzers)\n"
    "  --water             \"Wasserbau\" angekreuzt\n"
    "  --basement          \"Kellerbau (nur Gilden)\" angekreuzt\n"
    "  --nested ANTWORT    Antwort auf die Frage nach ineinanderliegenden Items "
    "(continue = Ja, stop = Nein; Standard continue)\n"
    "  --json              Ergebnis als JSON\n"
    "  --csv DATEI         Kostenaufstellung als CSV (Semikolon, UTF-8) in DATEI; - für die "
    "Standardausgabe statt des Ergebnisses\n"
    "  --clean AUSGABE     Schreibt eine Kopie ohne die Items, welche nicht importiert werden "
    "dürfen, und ohne Bauzonenränder nach AUSGABE (auch wenn nichts zu entfernen ist); - für die "
    "Standardausgabe statt der Liste des Entfernten\n"
    "  --nested-copies     Mit --clean: auch die weiteren ineinanderliegenden Items entfernen\n"
    "  --compare ALTE_DATEI  Vergleicht ALTE_DATEI mit der Importdatei (der neuen)\n"
    "  --batch             Stapelprüfung: jede Datei und jede *.cfg der Ordner, eine Zeile je "
    "Datei und die nicht berechneten Grafiken; --csv schreibt dann die Zeilen\n"
    "  --jobs N            Stapelprüfung mit N gleichzeitigen Berechnungen (Standard: eine je "
    "Prozessorkern)\n"
    "  --csv-unpriced DATEI  Stapelprüfung: die Tabelle \"Nicht berechnete Grafiken\" als CSV in "
    "DATEI; - für die Standardausgabe\n"
    "  -h, --help          Zeigt diese Hilfe an\n"
    "  -v, --version       Zeigt die Versionsnummer an\n";

constexpr std::int32_t kMaxJobs = 256;

// An output's name as the commands take it: "-" for every name of the standard output, which
// they write through their own.
std::string outputName(const std::string& value)
{
    return namesStandardOutput(value) ? std::string("-") : value;
}

// Parses the arguments; an error text when they are not usable. Help and version are taken
// where an option may stand, also beside a usage error, and win over it.
std::string parse(const std::vector<std::string>& args, CalcOptions& options)
{
    std::string problem;
    const auto report = [&problem](std::string text) {
        if (problem.empty()) {
            problem = std::move(text);
        }
    };
    std::set<std::string> given;
    bool endOfOptions = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (!endOfOptions && (arg == "-h" || arg == "--help")) {
            options.help = true;
            continue;
        }
        if (!endOfOptions && (arg == "-v" || arg == "--version")) {
            options.version = true;
            continue;
        }
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
            // Every option counts once: a second one would silently win over the first.
            if (!given.insert(arg).second) {
                report(arg + " darf nur einmal angegeben werden");
            }
            if (arg == "--price-list") {
                if (!takeValue() || value.empty()) {
                    report("--price-list braucht eine Datei");
                }
                options.priceList = value;
            } else if (arg == "--nested") {
                if (!takeValue()) {
                    report("--nested braucht continue oder stop");
                } else if (value == "continue") {
                    options.nested = Answer::Yes;
                } else if (value == "stop") {
                    options.nested = Answer::No;
                } else {
                    report("--nested braucht continue oder stop, nicht '" + value + "'");
                }
            } else if (arg == "--csv" || arg == "--csv-unpriced") {
                if (!takeValue() || value.empty()) {
                    report(arg + " braucht eine Datei oder -");
                }
                (arg == "--csv" ? options.csvFile : options.csvUnpriced) = outputName(value);
            } else if (arg == "--jobs") {
                const auto jobs = takeValue() ? toInteger(value) : std::nullopt;
                if (!jobs || *jobs < 1 || *jobs > kMaxJobs) {
                    report("--jobs braucht eine Zahl von 1 bis " + std::to_string(kMaxJobs));
                } else {
                    options.jobs = static_cast<unsigned>(*jobs);
                }
            } else if (arg == "--clean" || arg == "--compare") {
                if (!takeValue() || value.empty()) {
                    report(arg + " braucht eine Datei");
                }
                if (arg == "--clean") {
                    options.cleanFile = outputName(value);
                } else {
                    options.compareFile = value;
                }
            } else if (hasValue) {
                report("unbekannte Option oder Option ohne Wert: " + args[i]);
            } else if (arg == "--water") {
                options.water = true;
            } else if (arg == "--basement") {
                options.basement = true;
            } else if (arg == "--nested-copies") {
                options.nestedCopies = true;
            } else if (arg == "--json") {
                options.json = true;
            } else if (arg == "--batch") {
                options.batch = true;
            } else {
                report("unbekannte Option: " + arg);
            }
        } else if (!endOfOptions && arg.size() > 1 && arg[0] == '-') {
            report("unbekannte Option: " + arg);
        } else {
            options.paths.push_back(arg);
        }
    }
    if (options.paths.empty()) {
        report(options.batch ? "keine Datei und kein Ordner angegeben"
                             : "keine Importdatei angegeben");
    } else if (!options.batch && options.paths.size() > 1) {
        report("nur eine Importdatei erlaubt");
    } else if (!options.batch) {
        options.importFile = options.paths.front();
    }
    if (!options.batch && (options.jobs != 0 || !options.csvUnpriced.empty())) {
        report(std::string(options.jobs != 0 ? "--jobs" : "--csv-unpriced") +
               " gilt nur mit --batch");
    }
    // The batch's two tables go into two CSV files: both or none.
    if (options.batch && options.csvFile.empty() != options.csvUnpriced.empty()) {
        report("--batch schreibt CSV nur mit --csv und --csv-unpriced zusammen");
    }
    if (options.csvFile == "-" && options.csvUnpriced == "-") {
        report("--csv und --csv-unpriced schreiben beide auf die Standardausgabe");
    }
    if (options.json && (options.csvFile == "-" || options.csvUnpriced == "-")) {
        report(std::string("--json und ") + (options.csvFile == "-" ? "--csv" : "--csv-unpriced") +
               " schreiben beide auf die Standardausgabe");
    }
    if (!options.cleanFile.empty() &&
        (!options.compareFile.empty() || options.json || !options.csvFile.empty())) {
        report("--clean verträgt sich nicht mit --compare, --json und --csv");
    }
    if (options.nestedCopies && options.cleanFile.empty()) {
        report("--nested-copies gilt nur mit --clean");
    }
    if (options.batch && (!options.cleanFile.empty() || !options.compareFile.empty())) {
        report("--batch verträgt sich nicht mit --clean und --compare");
    }
    return problem;
}

// The problem when a file written (the CSV, the cleaned copy) is one of the files the run reads:
// it would be overwritten by its own result.
std::string overwritesInput(const CalcOptions& options, const std::string& programDir)
{
    std::vector<ReadFile> inputs = filesRead({.importFile = options.importFile,
                                              .programDir = programDir,
                                              .priceListFile = options.priceList});
    if (!options.compareFile.empty()) {
        inputs.push_back({options.compareFile, "die Importdatei"});
    }
    for (const auto& [option, file] :
         {std::pair{"--csv", options.csvFile}, std::pair{"--clean", options.cleanFile}}) {
        if (std::string problem = overwrittenInput(option, file, inputs); !problem.empty()) {
            return problem;
        }
    }
    return {};
}

// The problem when a file written is the file that the standard output goes to (redirected into
// it): the standard output carries a result of its own, and the two would overwrite each other.
std::string sharesStandardOutput(const CalcOptions& options)
{
    const auto output = standardOutputFile();
    if (!output) {
        return {};
    }
    for (const auto& [option, file] :
         {std::pair{"--csv", options.csvFile}, std::pair{"--csv-unpriced", options.csvUnpriced},
          std::pair{"--clean", options.cleanFile}}) {
        if (!file.empty() && file != "-" && fileIdentity(file) == output) {
            return std::string(option) + " nennt die Datei, in die schon die Standardausgabe geht";
        }
    }
    return {};
}

// Writes to the standard output (or what stands in for it) through the final flush; false with
// the German reason when a write fails, as on a full disk.
bool writeOutput(std::ostream& out, std::string_view bytes, std::string& reason)
{
    errno = 0;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (out) {
        return true;
    }
    reason = systemReason(errno != 0 ? errno : EIO);
    return false;
}

} // namespace

int runCalcCommand(const std::vector<std::string>& args, const std::string& programDir,
                   std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    std::string reason;
    const auto output = [&](std::string_view bytes) {
        if (writeOutput(out, bytes, reason)) {
            return true;
        }
        err << "tarvek-calc: Standardausgabe kann nicht geschrieben werden: " << reason << "\n";
        return false;
    };
    CalcOptions options;
    std::string problem = parse(args, options);
    if (options.help) {
        return output(std::string(kUsage)) ? 0 : 1;
    }
    if (options.version) {
        return output("tarvek-calc " TARVEK_VERSION "\n") ? 0 : 1;
    }
    if (problem.empty()) {
        problem = sharesStandardOutput(options);
    }
    if (problem.empty() && !options.batch) {
        problem = overwritesInput(options, programDir);
    }
    if (!problem.empty()) {
        err << "tarvek-calc: " << problem << "\n" << kUsage;
        return 2;
    }
    if (options.batch) {
        return runBatchCommand(options, programDir, output, err, errIsTerminal);
    }

    const FeeChoice fees{options.water, options.basement};
    CalculationRequest request{.importFile = options.importFile,
                               .programDir = programDir,
                               .priceListFile = options.priceList,
                               .fees = fees,
                               .nested = options.nested};
    if (!options.cleanFile.empty() || !options.compareFile.empty()) {
        const CommandResult result =
            !options.cleanFile.empty()
                ? cleanCommand(request, options.cleanFile, options.nestedCopies)
                : compareCommand(request, options.compareFile, options.json, options.csvFile);
        err << result.err;
        return output(result.out) ? result.status : 1;
    }

    Calculation calc;
    request.recordItems = options.json; // only the JSON report lists them
    const bool reachedEnd = calculate(calc, request).reachedEnd();
    // The errors of the run, and why it failed, go to the standard error whatever the standard
    // output carries.
    err << errorText(calc, options.importFile, "tarvek-calc");
    const CalcResult result{std::string(calc.outcome.name()), calc.window, calc.state, &calc.items};
    const bool csvToOut = options.csvFile == "-";
    // Only a run that reached its end has a breakdown and a bill to write.
    const bool written = !csvToOut ? (options.json ? writeJsonReport(result, output)
                                                   : writeTextReport(result, output))
                                   : output(reachedEnd ? breakdownCsv(calc.state, fees) : "");
    if (!written) {
        return 1;
    }
    if (reachedEnd && !options.csvFile.empty() && !csvToOut) {
        if (auto failed = writeFailure(options.csvFile, breakdownCsv(calc.state, fees))) {
            err << *failed;
            return 1;
        }
    }
    return reachedEnd ? 0 : 1;
}

} // namespace tarvek
