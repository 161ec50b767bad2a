// The command line of tarvek: usage errors, the window system's options beside ours, the help
// and the manual page, and the exports run as a script runs them.
#include "support/GuiTest.h"

#include "app/CommandLine.h"
#include "support/engine/OptionLists.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>

namespace {

CommandLine parse(const QStringList& arguments)
{
    return CommandLine(QStringList{QStringLiteral("tarvek")} + arguments);
}

struct Finished
{
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs the program in `folder` as a script runs it; its standard output goes into `outFile` when
// one is given.
Finished runProgram(const QString& program, const QString& folder, const QStringList& arguments,
                    const QString& outFile = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    if (!outFile.isEmpty()) {
        process.setStandardOutputFile(outFile);
    }
    process.start(program, arguments);
    process.waitForFinished(120000);
    const bool exited = process.exitStatus() == QProcess::NormalExit;
    // Windows ends the lines of a program's text output with CR LF.
    return {exited ? process.exitCode() : -1, process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())
                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))};
}

const QString Program = QStringLiteral(TARVEK_BINARY_DIR "/bin/tarvek");

} // namespace

TEST(CommandLineTest, EveryUsageErrorIsGermanAndNamesItsProblem)
{
    const QList<QPair<QStringList, QString>> cases{
        {{"--pdf"}, "--pdf braucht einen Wert: --pdf AUSGABE.pdf"},
        {{"--pdf=", "Haus.cfg"}, "--pdf braucht einen Wert: --pdf AUSGABE.pdf"},
        {{"--water", "Haus.cfg"}, "--water gilt nur mit --pdf"},
        {{"--price-list", "p.txt", "Haus.cfg"},
         "--price-list gilt nur mit --pdf oder --plan-png oder --view-png"},
        {{"--client", "Ordner", "--plan-png", "b.png", "Haus.cfg"},
         "--client gilt nur mit --view-png"},
        {{"--view-png", "b.pdf", "Haus.cfg"}, "--view-png schreibt ein PNG-Bild, keine .pdf-Datei"},
        {{"--pdf", "a.pdf", "--plan-png", "b.png", "Haus.cfg"},
         "--pdf und --plan-png lassen sich nicht zusammen verwenden"},
        {{"--pdf", "a.pdf"}, "--pdf braucht eine Importdatei"},
        {{"Haus.cfg", "-platform"}, "-platform braucht einen Wert"},
        {{"--pdf", "a.pdf", "--pdf", "b.pdf", "Haus.cfg"},
         "--pdf darf nur einmal angegeben werden"},
        {{"--pdf", "a.pdf", "--water", "--water", "Haus.cfg"},
         "--water darf nur einmal angegeben werden"},
        {{"--plan-png", "x.png", "--price-list", "x.png", "Haus.cfg"},
         "--plan-png würde die Preisliste überschreiben: x.png"},
    };
    for (const auto& [arguments, problem] : cases) {
        const CommandLine line = parse(arguments);
        EXPECT_EQ(line.action(), CommandLine::Action::Error) << problem.toStdString();
        EXPECT_EQ(line.text(),
                  QStringLiteral("tarvek: %1\nWeitere Hinweise mit: tarvek --help\n").arg(problem));
    }
}

TEST(CommandLineTest, TheWindowSystemsOptionsAndTheirValuesAreLeftToIt)
{
    const CommandLine line = parse({"-platform", "offscreen", "--pdf", "a.pdf", "-style=fusion",
                                    "--price-list", "p.txt", "--reverse", "Haus.cfg"});
    EXPECT_EQ(line.action(), CommandLine::Action::Export);
    EXPECT_EQ(line.importFile(), QDir::current().absoluteFilePath(QStringLiteral("Haus.cfg")));
    EXPECT_EQ(line.value(QStringLiteral("price-list")), QStringLiteral("p.txt"));
    EXPECT_EQ(line.windowSystemOptions(),
              QStringList({"-platform", "offscreen", "-style=fusion", "--reverse"}));
    // After "--" nothing is an option, for Tarvek nor for the window system.
    const CommandLine file = parse({"-style", "fusion", "--", "-style"});
    EXPECT_EQ(file.action(), CommandLine::Action::Window);
    EXPECT_EQ(file.importFile(), QDir::current().absoluteFilePath(QStringLiteral("-style")));
    EXPECT_EQ(file.windowSystemOptions(), QStringList({"-style", "fusion"}));
}

TEST(CommandLineTest, AnExportNeverOverwritesItsInput)
{
    const QTemporaryDir dir;
    const QString house = dir.filePath(QStringLiteral("Haus.cfg"));
    QFile(house).open(QIODevice::WriteOnly);
    const QString link = dir.filePath(QStringLiteral("Verweis.pdf"));
    std::filesystem::create_hard_link(house.toStdWString(), link.toStdWString());
    const QString dotted = dir.filePath(QStringLiteral("./Haus.cfg"));
    for (const QString& output : {house, dotted, link}) {
        EXPECT_EQ(parse({"--pdf", output, house}).text(),
                  QStringLiteral("tarvek: --pdf würde die Importdatei überschreiben: %1\n"
                                 "Weitere Hinweise mit: tarvek --help\n")
                      .arg(output));
    }
}

TEST(CommandLineTest, HelpAndManualPageListEveryOptionOfTheParser)
{
    std::set<std::string> known;
    for (const CommandLine::Option& option : CommandLine::options()) {
        known.insert(option.name.toStdString());
    }
    EXPECT_EQ(tarvek::testing::listedOptions(CommandLine::helpText().toStdString(), false), known);
    QFile page(QStringLiteral(TARVEK_SOURCE_DIR "/dist/tarvek.1.in"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_EQ(tarvek::testing::listedOptions(page.readAll().toStdString(), true), known);
}

TEST(CommandLineProgramTest, AnExportAmongTheWindowSystemsOptionsUsesTheGivenPriceList)
{
    testApp();
    const QTemporaryDir dir;
    const auto run = [&dir](const QStringList& arguments) {
        const Finished finished = runProgram(Program, dir.path(), arguments);
        return qMakePair(finished.status, finished.err);
    };
    // The window system's options beside an export once made a second application object and
    // a crash after the file was written.
    const QString prices = QStringLiteral(TARVEK_SOURCE_DIR "/examples/Preisliste.txt");
    const QString house = QStringLiteral(TARVEK_SOURCE_DIR "/examples/Haus.cfg");
    const QString pdf = dir.filePath(QStringLiteral("Haus.pdf"));
    EXPECT_EQ(run({"--pdf", pdf, "-platform", "offscreen", "--price-list", prices, house}).first,
              0);
    const QString png = dir.filePath(QStringLiteral("Haus.png"));
    EXPECT_EQ(
        run({"-platform", "offscreen", "--plan-png", png, "--price-list", prices, house}).first, 0);
    EXPECT_GT(QFile(pdf).size(), 0);
    EXPECT_GT(QFile(png).size(), 0);
    const QString view = dir.filePath(QStringLiteral("Ansicht.png"));
    EXPECT_EQ(run({"--view-png", view, "--client", TARVEK_SOURCE_DIR "/examples/client",
                   "--price-list", prices, house})
                  .first,
              0);
    EXPECT_GT(QFile(view).size(), 0);

    // The file is named in the system's own form (on Windows with "\\").
    const QString missing = dir.filePath(QStringLiteral("fehlt.txt"));
    const QString none = dir.filePath(QStringLiteral("kein.png"));
    EXPECT_EQ(run({"--plan-png", none, "--price-list", missing, house}),
              qMakePair(1, QStringLiteral("tarvek: Preisliste %1 kann nicht gelesen werden: Datei "
                                          "oder Ordner nicht gefunden\n")
                               .arg(QDir::toNativeSeparators(missing))));
    EXPECT_FALSE(QFile::exists(none));
    // Neither a value of Tarvek's options nor a file after "--" goes to the window system, which
    // took "-platform" here for its own option and ended the program.
    ASSERT_TRUE(QFile::copy(house, dir.filePath(QStringLiteral("-style"))));
    EXPECT_EQ(run({"--pdf", "-platform", "--price-list", prices, "--", "-style"}).first, 0);
    EXPECT_GT(QFile(dir.filePath(QStringLiteral("-platform"))).size(), 0);
    EXPECT_TRUE(run({"--pdf"}).second.startsWith(QStringLiteral("tarvek: --pdf braucht einen")));
}

TEST(CommandLineProgramTest, AnExportGoesToTheStandardOutputOrBesideItsInputsNeverOverThem)
{
    testApp();
    const QTemporaryDir dir(QStringLiteral(TARVEK_BINARY_DIR "/tarvek-portabel-XXXXXX"));
    const QString prices = QStringLiteral(TARVEK_SOURCE_DIR "/examples/Preisliste.txt");
    const QString house = QStringLiteral(TARVEK_SOURCE_DIR "/examples/Haus.cfg");
    const QStringList offscreen{QStringLiteral("-platform"), QStringLiteral("offscreen")};
    const Finished pdf = runProgram(
        Program, dir.path(), offscreen + QStringList{"--pdf", "-", "--price-list", prices, house});
    EXPECT_EQ(pdf.status, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdf.out.startsWith("%PDF-"));
    // Into a file behind the standard output the picture comes whole, from its first byte.
    const QString png = dir.filePath(QStringLiteral("plan.png"));
    EXPECT_EQ(runProgram(Program, dir.path(),
                         offscreen + QStringList{"--plan-png", "/dev/stdout", "--price-list",
                                                 prices, house},
                         png)
                  .status,
              0);
    QFile picture(png);
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_TRUE(picture.readAll().startsWith("\x89PNG"));
#ifndef _WIN32
    // A portable copy, its price list and options file beside it (a hard link to the program
    // where the disk allows one), never writes over either.
    const QString portable = dir.filePath(QStringLiteral("tarvek"));
    std::error_code linked;
    std::filesystem::create_hard_link(Program.toStdString(), portable.toStdString(), linked);
    ASSERT_TRUE(!linked || QFile::copy(Program, portable));
    ASSERT_TRUE(QFile::copy(prices, dir.filePath(QStringLiteral("Preisliste.txt"))));
    QFile(dir.filePath(QStringLiteral("Optionen.txt"))).open(QIODevice::WriteOnly);
    for (const auto& [input, what] :
         {std::pair{"Preisliste.txt", "Preisliste"}, {"Optionen.txt", "Optionsdatei"}}) {
        const Finished refused = runProgram(portable, dir.path(), {"--pdf", input, house});
        EXPECT_EQ(refused.status, 2);
        EXPECT_TRUE(
            refused.err.startsWith(QStringLiteral("tarvek: --pdf würde die %1 überschreiben: %2\n")
                                       .arg(QString::fromUtf8(what), QString::fromUtf8(input))))
            << refused.err.toStdString();
    }
    QFile kept(dir.filePath(QStringLiteral("Preisliste.txt")));
    QFile sample(prices);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly) && sample.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), sample.readAll());
#endif
}
