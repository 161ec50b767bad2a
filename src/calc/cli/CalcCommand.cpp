#include "calc/cli/CalcCommand.h"

#include "calc/CalculationRun.h"
#include "calc/RecordingObserver.h"
#include "calc/cli/Report.h"
#include "importfile/ImportFormat.h"

#include <ostream>

namespace tarvek {
namespace {

constexpr std::string_view kUsage =
    "Aufruf: tarvek-calc [--price-list DATEI] [--water] [--basement] [--nested continue|stop] "
    "[--json] IMPORTDATEI\n"
    "  --price-list DATEI  Preisliste (Standard: Preisliste.txt neben dem Programm)\n"
    "  --water             \"Wasserbau\" angekreuzt\n"
    "  --basement          \"Kellerbau (nur Gilden)\" angekreuzt\n"
    "  --nested ANTWORT    Antwort auf die Frage nach ineinanderliegenden Items "
    "(continue = Ja, stop = Nein; Standard continue)\n"
    "  --json              Ergebnis als JSON\n";

struct Options
{
    std::string priceList;
    bool water = false;
    bool basement = false;
    Answer nested = Answer::Yes;
    bool json = false;
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
    return {};
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

    RecordingObserver window;
    window.setAnswer(options.nested);
    window.setFeeChoice({options.water, options.basement});
    RunState state;
    ItemRecord items;
    std::string outcome;
    bool reachedEnd = false;

    // The load command: read, test, Resetten; then the start.
    std::string reason;
    auto lines = readImportLines(options.importFile, &reason);
    if (!lines) {
        window.showMessage(MessageKind::Error, "Fehler",
                           fileOpenErrorText(options.importFile, reason));
        outcome = "aborted";
    } else if (!pruefeimportdatei(*lines)) {
        window.Resetten();
        outcome = "invalid";
    } else {
        window.Resetten();
        RunSettings settings;
        settings.importFileName = options.importFile;
        settings.programDir = programDir;
        settings.priceListFile = options.priceList;
        settings.separators = systemLocaleSeparators();
        SystemClock clock;
        settings.clock = &clock;
        settings.items = options.json ? &items : nullptr; // only the JSON report lists them
        CalculationRun run(std::move(settings), state, window);
        const RunOutcome result = run.execute(std::move(*lines));
        reachedEnd = tarvek::reachedEnd(result);
        outcome = result == RunOutcome::Complete  ? "complete"
                  : result == RunOutcome::Stopped ? "stopped"
                                                  : "aborted";
    }

    const CalcResult result{outcome, window, state, &items};
    out << (options.json ? jsonReport(result) : textReport(result));
    out.flush();
    return reachedEnd ? 0 : 1;
}

} // namespace tarvek
