#include "app/CommandLine.h"

#include "app/FileLocations.h"
#include "app/OptionsFile.h"
#include "base/FileNames.h"
#include "base/ProgramFiles.h"
#include "base/StandardStreams.h"
#include "base/Version.h"
#include "calc/RunInputs.h"
#include "gui/FileNameText.h"
#include "views/art/ArtSource.h"
#include "views/bill/BillPdfCommand.h"
#include "views/iso/ViewExport.h"
#include "views/plan/PlanExport.h"

#include "gui/Fonts.h"
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <optional>

namespace {

const QString Help = QStringLiteral("help");
const QString Version = QStringLiteral("version");
const QString Pdf = QStringLiteral("pdf");
const QString PlanPng = QStringLiteral("plan-png");
const QString Water = QStringLiteral("water");
const QString Basement = QStringLiteral("basement");
const QString PriceList = QStringLiteral("price-list");
const QString ViewPng = QStringLiteral("view-png");
const QString Client = QStringLiteral("client");

// The window system's own options, which the application object takes out of the arguments:
// those followed by their value, those that stand alone, and those with their value after "=".
const QStringList QtValueOptions =
    QStringLiteral("platform platformpluginpath platformtheme plugin qwindowgeometry qwindowicon "
                   "qwindowtitle session style stylesheet display geometry title icon name visual")
        .split(u' ');
const QStringList QtFlags =
    QStringLiteral("reverse testability widgetcount nograb dograb sync").split(u' ');
const QStringList QtAttachedOptions = QStringLiteral("style stylesheet qmljsdebugger").split(u' ');

QString dashed(const QString& name)
{
    return QStringLiteral("--") + name;
}

const CommandLine::Option* findOption(const QString& name)
{
    const auto& all = CommandLine::options();
    const auto found = std::find_if(all.begin(), all.end(), [&name](const auto& option) {
        return option.name == name || (name.size() == 1 && option.letter == name.front());
    });
    return found != all.end() ? &*found : nullptr;
}

QString optionNames(const CommandLine::Option& option)
{
    QString text = dashed(option.name);
    if (!option.letter.isNull()) {
        text = QStringLiteral("-%1, %2").arg(option.letter, text);
    }
    if (!option.valueName.isEmpty()) {
        text += u' ' + option.valueName;
    }
    return text;
}

// An export draws its document without a window: a GUI application on the offscreen platform
// unless another platform is asked for, the only application object of the program. The price
// list is the one given with --price-list, else the one the window would read.
int runOffscreen(
    int& argc, char** argv, const CommandLine& line,
    const std::function<int(const QString& priceListDir, const QString& priceList)>& run)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QGuiApplication application(argc, argv);
    // The document and the picture are measured and drawn with the fonts the window uses: a
    // Windows copy brings its own (under Wine there are no others).
    Fonts::loadBundled();
    if (line.isSet(PriceList)) {
        return run(QString(), line.value(PriceList));
    }
    return run(FileLocations::ofProgram().priceListDir, QString());
}

// The item art of --view-png: the folder given with --client, else that of the option
// "Clientpfad" (or the client's install folder) as the window finds it.
std::shared_ptr<const tarvek::art::ArtSource> clientArt(const CommandLine& line)
{
    if (line.isSet(Client)) {
        return std::make_shared<const tarvek::art::ArtSource>(
            tarvek::pathOf(engineFileName(line.value(Client))));
    }
    QString option;
    try {
        option =
            OptionsFile::atPath(FileLocations::ofProgram().optionsFile).get(Options::Clientpfad);
    } catch (const std::exception&) {
        // Without readable options the install folders are looked at alone.
    }
    return tarvek::art::ArtSource::locate(engineFileName(option));
}

} // namespace

const QList<CommandLine::Option>& CommandLine::options()
{
    static const QList<Option> all{
        {Help, u'h', {}, QStringLiteral("Zeigt diese Hilfe an.")},
        {Version, u'v', {}, QStringLiteral("Zeigt die Versionsnummer an.")},
        {Pdf,
         {},
         QStringLiteral("AUSGABE.pdf"),
         QStringLiteral("Berechnet die Importdatei ohne Fenster und speichert die Rechnung als "
                        "PDF.")},
        {Water, {}, {}, QStringLiteral("Mit --pdf: \"Wasserbau\" angekreuzt.")},
        {Basement, {}, {}, QStringLiteral("Mit --pdf: \"Kellerbau (nur Gilden)\" angekreuzt.")},
        {PlanPng,
         {},
         QStringLiteral("BILD.png"),
         QStringLiteral("Berechnet die Importdatei ohne Fenster und speichert den Grundriss als "
                        "PNG-Bild.")},
        {ViewPng,
         {},
         QStringLiteral("BILD.png"),
         QStringLiteral("Berechnet die Importdatei ohne Fenster und speichert das Gebäude, wie "
                        "das Spiel es zeichnet, als PNG-Bild.")},
        {Client,
         {},
         QStringLiteral("ORDNER"),
         QStringLiteral("Mit --view-png: die Dateien des Spiel-Clients aus diesem Ordner statt "
                        "aus dem \"Clientpfad\" der Optionen.")},
        {PriceList,
         {},
         QStringLiteral("DATEI"),
         QStringLiteral("Mit --pdf, --plan-png oder --view-png: diese Preisliste statt der des "
                        "Fensters.")},
    };
    return all;
}

const QList<CommandLine::Export>& CommandLine::exports()
{
    // The exports that run without a window, one row each.
    static const QList<Export> all{
        {Pdf,
         {Water, Basement, PriceList},
         [](int& argc, char** argv, const CommandLine& line) {
             return runOffscreen(
                 argc, argv, line, [&line](const QString& priceListDir, const QString& priceList) {
                     return writeBillPdf(line.importFile(), line.value(Pdf), line.isSet(Water),
                                         line.isSet(Basement), priceListDir, priceList);
                 });
         }},
        {PlanPng,
         {PriceList},
         [](int& argc, char** argv, const CommandLine& line) {
             return runOffscreen(argc, argv, line,
                                 [&line](const QString& priceListDir, const QString& priceList) {
                                     return writePlanPng(line.importFile(), line.value(PlanPng),
                                                         priceListDir, priceList);
                                 });
         }},
        {ViewPng,
         {PriceList, Client},
         [](int& argc, char** argv, const CommandLine& line) {
             return runOffscreen(argc, argv, line,
                                 [&line](const QString& priceListDir, const QString& priceList) {
                                     return writeViewPng(line.importFile(), line.value(ViewPng),
                                                         priceListDir, priceList, clientArt(line));
                                 });
         }},
    };
    return all;
}

QString CommandLine::helpText()
{
    QList<QPair<QString, QString>> rows;
    for (const Option& option : options()) {
        rows.append({optionNames(option), option.description});
    }
    const QString file = QStringLiteral("IMPORTDATEI");
    rows.append({file, QStringLiteral("Importdatei (*.cfg), die beim Start geladen wird.")});
    qsizetype width = 0;
    for (const auto& row : rows) {
        width = std::max(width, row.first.size());
    }
    QString text =
        QStringLiteral("Aufruf: tarvek [OPTIONEN] [IMPORTDATEI]\n"
                       "Tarvek " TARVEK_VERSION " berechnet den Preis eines Hausimports.\n\n"
                       "Optionen:\n");
    for (const auto& row : rows) {
        if (row.first == file) {
            text += QStringLiteral("\nArgumente:\n");
        }
        text += QStringLiteral("  %1  %2\n").arg(row.first.leftJustified(width), row.second);
    }
    return text +
           QStringLiteral("\nDazu gelten die Optionen des Fenstersystems, etwa -platform NAME "
                          "oder -style NAME.\n");
}

QStringList CommandLine::programArguments(int argc, char** argv)
{
    QStringList arguments{QStringLiteral("tarvek")};
    for (const std::string& argument : tarvek::commandLineArguments(argc, argv)) {
        arguments.append(qtFileName(argument));
    }
    return arguments;
}

CommandLine::CommandLine(const QStringList& arguments)
{
    QString problem = parse(arguments);
    if (problem.isEmpty() && isSet(Help)) {
        m_action = Action::Help;
        m_text = helpText();
        return;
    }
    if (problem.isEmpty() && isSet(Version)) {
        m_action = Action::Version;
        m_text = QStringLiteral("Tarvek " TARVEK_VERSION "\n");
        return;
    }
    if (problem.isEmpty()) {
        problem = checkCombination();
    }
    if (!problem.isEmpty()) {
        m_action = Action::Error;
        m_text = QStringLiteral("tarvek: %1\nWeitere Hinweise mit: tarvek --help\n").arg(problem);
        return;
    }
    if (!m_files.isEmpty()) {
        m_importFile = QFileInfo(m_files.first()).absoluteFilePath();
    }
    if (m_export != nullptr) {
        m_action = Action::Export;
    }
}

QString CommandLine::parse(const QStringList& arguments)
{
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument.size() == 1) {
            m_files.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        // "-name" and "--name" are the same option, as the window system reads its own.
        QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        std::optional<QString> attached;
        if (const qsizetype equals = name.indexOf(u'='); equals >= 0) {
            attached = name.mid(equals + 1);
            name.truncate(equals);
        }
        const auto nextValue = [&]() {
            return attached ? *attached : i + 1 < arguments.size() ? arguments[++i] : QString();
        };
        if (const Option* option = findOption(name)) {
            if (option->valueName.isEmpty() && attached) {
                return QStringLiteral("%1 erwartet keinen Wert").arg(dashed(option->name));
            }
            const QString value = option->valueName.isEmpty() ? QString() : nextValue();
            if (!option->valueName.isEmpty() && value.isEmpty()) {
                return QStringLiteral("%1 braucht einen Wert: %2")
                    .arg(dashed(option->name), optionNames(*option));
            }
            // A second one would silently win over the first; help and version only print.
            if (m_values.contains(option->name) && option->name != Help &&
                option->name != Version) {
                return QStringLiteral("%1 darf nur einmal angegeben werden")
                    .arg(dashed(option->name));
            }
            m_values.insert(option->name, value);
        } else if (QtValueOptions.contains(name) && !attached) {
            const QString qtValue = nextValue();
            if (qtValue.isEmpty()) {
                return QStringLiteral("%1 braucht einen Wert").arg(argument);
            }
            m_windowSystemOptions << argument << qtValue;
        } else if ((QtFlags.contains(name) && !attached) ||
                   (QtAttachedOptions.contains(name) && attached && !attached->isEmpty())) {
            m_windowSystemOptions << argument;
        } else {
            return QStringLiteral("unbekannte Option: %1").arg(argument);
        }
    }
    return {};
}

QString CommandLine::checkCombination()
{
    const Export* chosen = nullptr;
    for (const Export& row : exports()) {
        if (!isSet(row.option)) {
            continue;
        }
        if (chosen != nullptr) {
            return QStringLiteral("%1 und %2 lassen sich nicht zusammen verwenden")
                .arg(dashed(chosen->option), dashed(row.option));
        }
        chosen = &row;
    }
    // An option that modifies an export needs that export.
    for (const Option& option : options()) {
        QStringList exportsOf;
        for (const Export& row : exports()) {
            if (row.modifiers.contains(option.name)) {
                exportsOf.append(dashed(row.option));
            }
        }
        const bool modifiesChosen = chosen != nullptr && chosen->modifiers.contains(option.name);
        if (isSet(option.name) && !exportsOf.isEmpty() && !modifiesChosen) {
            return QStringLiteral("%1 gilt nur mit %2")
                .arg(dashed(option.name), exportsOf.join(QStringLiteral(" oder ")));
        }
    }
    if (m_files.size() > 1) {
        return QStringLiteral("nur eine Importdatei erlaubt");
    }
    if (chosen != nullptr && m_files.isEmpty()) {
        return QStringLiteral("%1 braucht eine Importdatei").arg(dashed(chosen->option));
    }
    // The plan and the view are always PNG pictures: a name that promises another type is
    // refused.
    for (const QString& picture : {PlanPng, ViewPng}) {
        if (const QString suffix = QFileInfo(value(picture)).suffix();
            isSet(picture) && !suffix.isEmpty() &&
            suffix.compare(QLatin1String("png"), Qt::CaseInsensitive) != 0) {
            return QStringLiteral("%1 schreibt ein PNG-Bild, keine .%2-Datei")
                .arg(dashed(picture), suffix);
        }
    }
    if (chosen != nullptr) {
        if (QString problem = overwrittenInput(*chosen); !problem.isEmpty()) {
            return problem;
        }
    }
    m_export = chosen;
    return {};
}

QString CommandLine::overwrittenInput(const Export& chosen) const
{
    // What the export reads: the import file, the price list given or else the one the window
    // would read, and the options file of this copy.
    const tarvek::ProgramFiles files = tarvek::ProgramFiles::locate(tarvek::programFolder());
    std::vector<tarvek::ReadFile> inputs =
        tarvek::filesRead({.importFile = engineFileName(m_files.value(0)),
                           .programDir = files.priceListFolderToRead(),
                           .priceListFile = engineFileName(value(PriceList))});
    inputs.push_back({files.optionsFile, "die Optionsdatei"});
    return QString::fromStdString(tarvek::overwrittenInput(
        dashed(chosen.option).toStdString(), engineFileName(value(chosen.option)), inputs));
}

WindowSystemArguments::WindowSystemArguments(const char* programName, const CommandLine& line)
{
    m_bytes.emplace_back(programName);
    for (const QString& option : line.windowSystemOptions()) {
        m_bytes.push_back(QFile::encodeName(option));
    }
    for (QByteArray& bytes : m_bytes) {
        m_pointers.push_back(bytes.data());
    }
    m_pointers.push_back(nullptr);
    m_argc = static_cast<int>(m_bytes.size());
}

int CommandLine::runExport(int& argc, char** argv) const
{
    return m_export != nullptr ? m_export->run(argc, argv, *this) : 2;
}
