#include "app/CommandLine.h"

#include "app/FileLocations.h"
#include "views/bill/BillPdfCommand.h"
#include "views/plan/PlanExport.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

namespace {

const QCommandLineOption HelpOption({QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Zeigt diese Hilfe an."));
const QCommandLineOption VersionOption({QStringLiteral("v"), QStringLiteral("version")},
                                       QStringLiteral("Zeigt die Versionsnummer an."));

QString optionNames(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names()) {
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    }
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty()) {
        text += u' ' + option.valueName();
    }
    return text;
}

const QCommandLineOption PdfOption(QStringLiteral("pdf"),
                                   QStringLiteral("Berechnet die Importdatei ohne Fenster und "
                                                  "speichert die Rechnung als PDF."),
                                   QStringLiteral("AUSGABE.pdf"));
const QCommandLineOption PlanPngOption(QStringLiteral("plan-png"),
                                       QStringLiteral("Berechnet die Importdatei ohne Fenster und "
                                                      "speichert den Grundriss als PNG-Bild."),
                                       QStringLiteral("BILD.png"));
const QCommandLineOption WaterOption(QStringLiteral("water"),
                                     QStringLiteral("Mit --pdf: \"Wasserbau\" angekreuzt."));
const QCommandLineOption
    BasementOption(QStringLiteral("basement"),
                   QStringLiteral("Mit --pdf: \"Kellerbau (nur Gilden)\" angekreuzt."));

// An export draws its document without a window: a GUI application on the offscreen platform
// unless another platform is asked for. It needs the import file.
int runOffscreen(int& argc, char** argv, const CommandLine& line, const QString& usage,
                 const std::function<int(const QString& priceListDir)>& run)
{
    if (line.importFile().isEmpty()) {
        std::fputs(usage.toLocal8Bit().constData(), stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QGuiApplication application(argc, argv);
    return run(FileLocations::ofProgram().priceListDir);
}

} // namespace

const QList<CommandLine::Export>& CommandLine::exports()
{
    // The exports that run without a window, one row each.
    static const QList<Export> all{
        {PdfOption,
         {WaterOption, BasementOption},
         [](int& argc, char** argv, const CommandLine& line) {
             return runOffscreen(
                 argc, argv, line,
                 QStringLiteral("Aufruf: tarvek --pdf AUSGABE.pdf [--water] [--basement] "
                                "IMPORTDATEI\n"),
                 [&line](const QString& priceListDir) {
                     const QCommandLineParser& options = line.parser();
                     return writeBillPdf(line.importFile(), options.value(PdfOption),
                                         options.isSet(WaterOption), options.isSet(BasementOption),
                                         priceListDir);
                 });
         }},
        {PlanPngOption,
         {},
         [](int& argc, char** argv, const CommandLine& line) {
             // Always a PNG picture: a name that promises another type is refused.
             const QString suffix = QFileInfo(line.parser().value(PlanPngOption)).suffix();
             if (!suffix.isEmpty() &&
                 suffix.compare(QLatin1String("png"), Qt::CaseInsensitive) != 0) {
                 std::fprintf(stderr,
                              "tarvek: --plan-png schreibt ein PNG-Bild, keine .%s-Datei.\n",
                              suffix.toLocal8Bit().constData());
                 return 2;
             }
             return runOffscreen(argc, argv, line,
                                 QStringLiteral("Aufruf: tarvek --plan-png BILD.png IMPORTDATEI\n"),
                                 [&line](const QString& priceListDir) {
                                     return writePlanPng(line.importFile(),
                                                         line.parser().value(PlanPngOption),
                                                         priceListDir);
                                 });
         }},
    };
    return all;
}

QList<QCommandLineOption> CommandLine::options()
{
    QList<QCommandLineOption> all{HelpOption, VersionOption};
    for (const Export& row : exports()) {
        all.append(row.option);
        all.append(row.modifiers);
    }
    return all;
}

QString CommandLine::helpText()
{
    QList<QPair<QString, QString>> rows;
    for (const QCommandLineOption& option : options()) {
        rows.append({optionNames(option), option.description()});
    }
    rows.append({QStringLiteral("IMPORTDATEI"),
                 QStringLiteral("Importdatei (*.cfg), die beim Start geladen wird.")});
    qsizetype width = 0;
    for (const auto& row : rows) {
        width = std::max(width, row.first.size());
    }
    QString text = QStringLiteral("Aufruf: tarvek [OPTIONEN] [IMPORTDATEI]\n"
                                  "Tarvek 2.4 berechnet den Preis eines Hausimports.\n\n"
                                  "Optionen:\n");
    for (const auto& row : rows) {
        if (row.first == QLatin1String("IMPORTDATEI")) {
            text += QStringLiteral("\nArgumente:\n");
        }
        text += QStringLiteral("  %1  %2\n").arg(row.first.leftJustified(width), row.second);
    }
    return text;
}

CommandLine::CommandLine(const QStringList& arguments)
    : m_parser(std::make_unique<QCommandLineParser>())
{
    m_parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser->addOptions(options());
    const auto fail = [this](const QString& problem) {
        m_action = Action::Error;
        m_text = QStringLiteral("tarvek: %1\nWeitere Hinweise mit: tarvek --help\n").arg(problem);
    };
    if (!m_parser->parse(arguments)) {
        const QStringList unknown = m_parser->unknownOptionNames();
        m_unknownOption = !unknown.isEmpty();
        fail(unknown.isEmpty() ? m_parser->errorText()
                               : QStringLiteral("unbekannte Option: %1").arg(unknown.first()));
        return;
    }
    if (m_parser->isSet(HelpOption)) {
        m_action = Action::Help;
        m_text = helpText();
        return;
    }
    if (m_parser->isSet(VersionOption)) {
        m_action = Action::Version;
        m_text = QStringLiteral("Tarvek 2.4\n");
        return;
    }
    const QStringList files = m_parser->positionalArguments();
    if (files.size() > 1) {
        fail(QStringLiteral("nur eine Importdatei erlaubt"));
        return;
    }
    if (!files.isEmpty()) {
        m_importFile = QFileInfo(files.first()).absoluteFilePath();
    }
    for (const Export& row : exports()) {
        if (m_parser->isSet(row.option)) {
            m_action = Action::Export;
            m_export = &row;
            return;
        }
    }
}

int CommandLine::runExport(int& argc, char** argv) const
{
    return m_export != nullptr ? m_export->run(argc, argv, *this) : 2;
}
