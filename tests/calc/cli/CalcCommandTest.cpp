// tarvek-calc: the command in-process and the program end to end.
#include "calc/cli/CalcCommand.h"
#include "base/FileNames.h"
#include "base/StandardStreams.h"
#include "base/Version.h"
#include "calc/BreakdownCsv.h"
#include "calc/Calculation.h"
#include "calc/cli/CommandCall.h"
#include "calc/cli/Report.h"
#include "support/engine/MiniJson.h"
#include "support/engine/OptionLists.h"
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#else
#include "base/WideText.h"

#include <iostream>

#include <windows.h>
#endif

using namespace tarvek;
using namespace tarvek::testing;
namespace fs = std::filesystem;

namespace {

struct Folder
{
    fs::path dir;
    explicit Folder(const std::string& name) : dir(fs::path(::testing::TempDir()) / name)
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Folder() { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
};

CommandCall command(const std::vector<std::string>& args, const std::string& programDir)
{
    return callCommand(args, programDir);
}

const std::string kPrices = lines({"0x0e75|Name|120|t|1|0|0|0", "0x1bfb|Name|500|b|10|1|0|1"});

} // namespace

TEST(CalcCommand, JsonContract)
{
    Folder folder("tarvek_calc_json");
    folder.write("preisliste.txt", kPrices); // found beside the program, case ignored
    const std::string file = folder.write(
        "Haus.cfg",
        importFile({item("3701"), item("3701"), item("7163", "101"), item("4660", "102")}));
    const CommandCall r = command({"--json", "--water", file}, folder.dir.string());
    EXPECT_EQ(r.status, 0) << r.err;
    const Json j = JsonReader::parse(r.out);
    EXPECT_EQ(j.keys, (std::vector<std::string>{"outcome", "lists", "displays", "lamps", "sums",
                                                "breakdown", "spawnCount", "billReady", "messages",
                                                "items"}));
    EXPECT_EQ(j["outcome"].string, "complete");
    ASSERT_EQ(j["items"].size(), 4u);
    EXPECT_EQ(j["items"][2].keys,
              (std::vector<std::string>{"graphic", "x", "y", "z", "color", "category"}));
    EXPECT_EQ(j["items"][2]["graphic"].number, 7163);
    EXPECT_EQ(j["items"][2]["x"].number, 101);
    EXPECT_EQ(j["items"][2]["category"].string, "spawn");
    EXPECT_EQ(j["items"][0]["category"].string, "nested");
    EXPECT_EQ(j["items"][3]["category"].string, "notCalculated");
    EXPECT_EQ(j["lists"].keys, (std::vector<std::string>{"protocol", "warnings", "movable",
                                                         "nested", "notCalculated", "bill"}));
    const Json& protocol = j["lists"]["protocol"];
    ASSERT_GT(protocol.size(), 3u);
    EXPECT_TRUE(std::regex_match(protocol[0]["text"].string,
                                 std::regex(R"(\d\d:\d\d:\d\d Berechnung Itemanzahl gestartet)")));
    EXPECT_EQ(protocol[0]["colour"].number, 32768);
    EXPECT_EQ(j["lists"]["nested"][0]["text"].string,
              "D:3701, H:0x0E75, Pos. X:100, Y:200, Z:0, Anz.:2");
    EXPECT_EQ(j["lists"]["nested"][0]["colour"].number, 255);
    EXPECT_EQ(j["lists"]["notCalculated"][0]["text"].string, "D:4660, H:0x1234, Anz.:1");
    EXPECT_EQ(j["lists"]["bill"][0]["text"].string, "Wasserbaupauschale     :      10.000 GS");
    EXPECT_EQ(j["displays"].keys, (std::vector<std::string>{"progress", "itemCount", "lowestLevel",
                                                            "squareSteps", "grandTotal"}));
    EXPECT_EQ(j["displays"]["progress"].number, 100);
    EXPECT_EQ(j["displays"]["itemCount"].number, 4);
    EXPECT_EQ(j["displays"]["squareSteps"].number, 3);
    EXPECT_EQ(j["displays"]["grandTotal"].number, 10000 + 150 + 240 + 50);
    EXPECT_EQ(j["lamps"].keys, (std::vector<std::string>{"BLED1", "BLED2", "BLED3", "BLED4",
                                                         "BLED5", "BLED6", "BLED7", "BLED9"}));
    EXPECT_TRUE(j["lamps"]["BLED1"]["lit"].boolean);
    EXPECT_EQ(j["lamps"]["BLED1"]["colour"].number, 65280);
    EXPECT_FALSE(j["lamps"]["BLED6"]["lit"].boolean); // nested items found
    EXPECT_EQ(j["lamps"]["BLED6"]["colour"].number, 0x808080);
    EXPECT_EQ(j["sums"].keys,
              (std::vector<std::string>{"itemSumHZ", "itemSumNHZ", "waterFlatFee",
                                        "basementFlatFee", "squareStepFee", "grandTotal"}));
    EXPECT_EQ(j["sums"]["itemSumHZ"].number, 240);
    EXPECT_EQ(j["sums"]["itemSumNHZ"].number, 50);
    EXPECT_EQ(j["sums"]["waterFlatFee"].number, 10000);
    EXPECT_EQ(j["sums"]["basementFlatFee"].number, 0);
    EXPECT_EQ(j["sums"]["squareStepFee"].number, 150);
    EXPECT_EQ(j["spawnCount"].number, 1);
    EXPECT_TRUE(j["billReady"].boolean);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["kind"].string, "question");
    EXPECT_EQ(j["messages"][0]["title"].string, "Bestätigen");
    EXPECT_NE(j["messages"][0]["text"].string.find("gefunden.\r\nDiese"), std::string::npos);
    EXPECT_EQ(j["messages"][0]["answer"].string, "yes");
}

TEST(CalcCommand, NestedStop)
{
    Folder folder("tarvek_calc_stop");
    const std::string prices = folder.write("p.txt", kPrices);
    const std::string file = folder.write("h.cfg", importFile({item("3701"), item("3701")}));
    const CommandCall r =
        command({"--nested", "stop", "--json", "--price-list", prices, file}, "/");
    EXPECT_EQ(r.status, 0);
    const Json j = JsonReader::parse(r.out);
    EXPECT_EQ(j["outcome"].string, "stopped");
    EXPECT_EQ(j["items"].size(), 0u); // no prices decided, so no plan
    EXPECT_TRUE(j["billReady"].boolean);
    EXPECT_EQ(j["lists"]["bill"].size(), 0u);
    EXPECT_EQ(j["messages"][0]["answer"].string, "no");
    EXPECT_FALSE(j["lamps"]["BLED4"]["lit"].boolean);
}

TEST(CalcCommand, InvalidFile)
{
    Folder folder("tarvek_calc_invalid");
    const std::string file = folder.write("h.cfg", "entry header\r\n{\r\n");
    const CommandCall r = command({"--json", file}, folder.dir.string());
    EXPECT_EQ(r.status, 1);
    const Json j = JsonReader::parse(r.out);
    EXPECT_EQ(j["outcome"].string, "invalid");
    EXPECT_EQ(j["lists"]["protocol"].size(), 0u);
    EXPECT_FALSE(j["billReady"].boolean);
}

TEST(CalcCommand, MissingPriceListAndUnreadableFile)
{
    Folder folder("tarvek_calc_missing");
    const std::string file = folder.write("h.cfg", importFile({item("1")}));
    CommandCall r = command({"--json", file}, folder.dir.string());
    EXPECT_EQ(r.status, 1);
    Json j = JsonReader::parse(r.out);
    EXPECT_EQ(j["outcome"].string, "aborted");
    EXPECT_EQ(j["messages"][0]["title"].string, "Fehler");
    EXPECT_EQ(j["lists"]["protocol"].size(), 0u);

    r = command({"--json", (folder.dir / "nope.cfg").string()}, folder.dir.string());
    EXPECT_EQ(r.status, 1);
    j = JsonReader::parse(r.out);
    EXPECT_EQ(j["outcome"].string, "aborted");
    EXPECT_NE(j["messages"][0]["text"].string.find("kann nicht geöffnet werden"),
              std::string::npos);
}

TEST(CalcCommand, UsageErrors)
{
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"--json"},
                                                                  {"a.cfg", "b.cfg"},
                                                                  {"--nested", "maybe", "a.cfg"},
                                                                  {"--nested"},
                                                                  {"--price-list"},
                                                                  {"--bogus", "a.cfg"},
                                                                  {"-x", "a.cfg"},
                                                                  {"--water=1", "a.cfg"}}) {
        const CommandCall r = command(args, "/");
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("Aufruf: tarvek-calc"), std::string::npos);
    }
    EXPECT_EQ(command({"--help"}, "/").status, 0);
}

TEST(CalcCommand, OptionsCountOnceAndHelpOrVersionOnlyWhereAnOptionMayStand)
{
    for (const auto& [args, problem] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--csv", "a.csv", "--csv=b.csv", "h.cfg"}, "--csv darf nur einmal angegeben werden"},
             {{"--price-list", "p", "--price-list", "p", "h.cfg"},
              "--price-list darf nur einmal angegeben werden"},
             {{"--nested", "stop", "--nested", "stop", "h.cfg"},
              "--nested darf nur einmal angegeben werden"},
             {{"--water", "--water", "h.cfg"}, "--water darf nur einmal angegeben werden"}}) {
        const CommandCall r = command(args, "/");
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.starts_with("tarvek-calc: " + problem + "\nAufruf: tarvek-calc"))
            << r.err;
    }
    Folder folder("tarvek_calc_dash");
    const std::string missing = (folder.dir / "fehlt.txt").string();
    // "-v" after "--" is the import file, "-h" after --price-list the price list's name.
    EXPECT_EQ(
        command({"--csv", "-", "--", "-v"}, folder.dir.string()).err,
        "tarvek-calc: Datei -v kann nicht geöffnet werden. Datei oder Ordner nicht gefunden\n");
    const CommandCall list = command({"--csv", "-", "--price-list", "-h", "x.cfg"}, "/");
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("Datei x.cfg kann nicht"), std::string::npos) << list.err;
    EXPECT_EQ(command({"--bogus", "-h"}, "/").status, 0); // help still wins over a usage error
}

TEST(CalcCommand, TheCsvIsNeverOneOfTheInputs)
{
    Folder folder("tarvek_calc_same");
    const std::string house = folder.write("Haus.cfg", importFile({item("3701")}));
    const std::string prices = folder.write("Preisliste.txt", kPrices);
    fs::create_hard_link(prices, folder.dir / "Verweis.csv");
    const std::string dotted = (folder.dir / "." / "Haus.cfg").string();
    for (const auto& [args, problem] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--csv", dotted, house}, "--csv würde die Importdatei überschreiben: " + dotted},
             {{"--csv", (folder.dir / "Verweis.csv").string(), "--price-list", prices, house},
              "--csv würde die Preisliste überschreiben: " + (folder.dir / "Verweis.csv").string()},
             // the list the run would find beside the program
             {{"--csv", prices, house}, "--csv würde die Preisliste überschreiben: " + prices}}) {
        const CommandCall r = command(args, folder.dir.string() + "/");
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.starts_with("tarvek-calc: " + problem + "\n")) << r.err;
    }
    std::ifstream in(house, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), importFile({item("3701")}));
}

TEST(CalcCommand, AFailedRunSaysWhyOnStandardErrorInEveryMode)
{
    Folder folder("tarvek_calc_errors");
    const std::string missing = (folder.dir / "fehlt.cfg").string();
    for (auto args : std::vector<std::vector<std::string>>{{"--csv", "-"}, {"--json"}, {}}) {
        args.push_back(missing);
        const CommandCall r = command(args, folder.dir.string());
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "tarvek-calc: Datei " + missing +
                             " kann nicht geöffnet werden. Datei oder Ordner nicht gefunden\n");
    }
    // The price list by the name it was looked for: the one given, else beside the program.
    const std::string house = folder.write("h.cfg", importFile({item("1")}));
    const std::string given = (folder.dir / "p.txt").string();
    const std::string programDir = folder.dir.string() + "/";
    EXPECT_EQ(command({"--csv", "-", "--price-list", given, house}, programDir).err,
              "tarvek-calc: Preisliste " + shownFileName(given) +
                  " kann nicht gelesen werden: Datei oder Ordner nicht gefunden\n");
    EXPECT_EQ(command({"--csv", "-", house}, programDir).err,
              "tarvek-calc: Preisliste " + shownFileName(programDir + "Preisliste.txt") +
                  " kann nicht gelesen werden: Datei oder Ordner nicht gefunden\n");
}

TEST(CalcCommand, TextReport)
{
    Folder folder("tarvek_calc_text");
    const std::string prices = folder.write("p.txt", kPrices);
    const std::string file = folder.write("h.cfg", importFile({item("3701")}));
    const CommandCall r = command({"--basement", "--price-list=" + prices, file}, "/");
    EXPECT_EQ(r.status, 0);
    for (const char* part :
         {"Protokoll\n", "Unbedingt prüfen\n", "Items, welche nicht importiert werden dürfen\n",
          "Ineinanderliegende Items\n", "Nicht berechnete Items (bitte manuell hinzuaddieren)\n",
          "Rechnung\n", "Kellerpauschale        :      10.000 GS",
          "Zu zahlende Gesamtsumme:      10170", "Ergebnis: complete"}) {
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
    }
}

// Files from strangers: a control character never reaches a list, the reports or the CSV as
// itself, and the names of a UTF-8 price list come out as written.
TEST(StrangerFiles, ControlCharactersShowAsPlaceholders)
{
    Folder folder("tarvek_calc_controls");
    folder.write("Preisliste.txt", lines({"0x0e75|T\xfcr\x1b[31m\x7f|120|t|1|1|1|0"}));
    Item hostile = item("3701");
    hostile.z = "0000\x1b.say\x07hi";
    const std::string house = folder.write("h.cfg", importFile({hostile}));
    const std::string programDir = folder.dir.string() + "/";
    Calculation calc;
    calculate(calc, {.importFile = house, .programDir = programDir, .nested = Answer::Yes});
    ASSERT_EQ(calc.outcome.name(), "complete");
    ASSERT_EQ(calc.window.list(ResultList::Movable).entries.size(), 1u);
    EXPECT_EQ(calc.window.list(ResultList::Movable).entries[0].text,
              "D:3701, H:0x0e75, Pos. X:100, Y:200, Z:0000\u241b.say\u2407hi");
    EXPECT_EQ(calc.state.breakdown.rows().at(0).name, "Tür\u241b[31m\u2421");
    const std::string csv = folder.dir.string() + "/k.csv";
    const CommandCall text = command({house}, programDir);
    const CommandCall json = command({"--json", house}, programDir);
    ASSERT_EQ(command({"--csv", csv, house}, programDir).status, 0);
    std::ifstream in(csv, std::ios::binary);
    const std::string csvText(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(csvText.find(";Tür\u241b[31m\u2421;"), std::string::npos);
    EXPECT_NE(text.out.find("Z:0000\u241b.say\u2407hi"), std::string::npos);
    for (const std::string* out : {&text.out, &json.out, &csvText}) {
        EXPECT_EQ(out->find_first_of(std::string("\x01\x02\x07\x09\x1b\x7f", 6)),
                  std::string::npos);
    }
    EXPECT_EQ(JsonReader::parse(json.out)["breakdown"][0]["name"].string, "Tür\u241b[31m\u2421");
}

TEST(StrangerFiles, Utf8FilesAreReadAsUtf8AndUtf16IsRefused)
{
    Folder folder("tarvek_calc_utf8");
    const std::string programDir = folder.dir.string() + "/";
    const std::string house = folder.write("h.cfg", "\xEF\xBB\xBF" + importFile({item("3701")}));
    for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
        const std::string prices =
            folder.write("p.txt", bom + lines({"0x0e75|Türen größer|120|t|1|0|0|0"}));
        const CommandCall r = command({"--csv", "-", "--price-list", prices, house}, programDir);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("\r\n3701;0x0e75;1;Türen größer;120;"), std::string::npos) << r.out;
    }
    // UTF-16 (little endian with its mark, or without it, as the NUL in every other byte shows).
    const std::string utf16 = folder.write("u.txt", std::string("\xFF\xFE"
                                                                "0\0x\0"
                                                                "0\0",
                                                                8));
    const std::string noMark = folder.write("n.txt", std::string("0\0x\0"
                                                                 "0\0e\0"
                                                                 "7\0",
                                                                 10));
    const std::string refused = "kann nicht gelesen werden: Sie ist in UTF-16 gespeichert, das "
                                "Tarvek nicht liest. Bitte die Datei als UTF-8 oder "
                                "Windows-1252 (ANSI) speichern und erneut öffnen.\n";
    for (const std::string& list : {utf16, noMark}) {
        const CommandCall r = command({"--price-list", list, house}, programDir);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "tarvek-calc: Preisliste " + list + " " + refused);
        const CommandCall asImport = command({list}, programDir);
        EXPECT_EQ(asImport.status, 1);
        EXPECT_NE(asImport.err.find(list + " kann nicht geöffnet werden. Sie ist in UTF-16"),
                  std::string::npos)
            << asImport.err;
    }
}

#ifndef _WIN32
// A named pipe never blocks the reading, and a file beyond the limit is not read.
TEST(StrangerFiles, PipesAndGiantFilesAreRefused)
{
    Folder folder("tarvek_calc_pipes");
    const std::string programDir = folder.dir.string() + "/";
    const std::string house = folder.write("h.cfg", importFile({item("3701")}));
    const std::string prices = folder.write("p.txt", kPrices);
    const std::string pipe = programDir + "pipe.cfg";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string giant = folder.write("giant.cfg", "");
    fs::resize_file(giant, kImportFileKind.limit + 1); // sparse: written in no time
    const std::string notAFile = " kann nicht geöffnet werden. Sie ist keine gewöhnliche Datei, "
                                 "sondern etwa eine benannte Pipe oder ein Gerät, und wird nicht "
                                 "gelesen.\n";
    CommandCall r = command({"--price-list", prices, pipe}, programDir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tarvek-calc: Datei " + pipe + notAFile);
    r = command({"--price-list", prices, giant}, programDir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tarvek-calc: Datei " + giant +
                         " kann nicht geöffnet werden. Sie ist größer als 64 MiB; so groß ist "
                         "keine Importdatei.\n");
    r = command({"--price-list", pipe, house}, programDir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tarvek-calc: Preisliste " + pipe +
                         " kann nicht gelesen werden: Sie ist "
                         "keine gewöhnliche Datei, sondern etwa "
                         "eine benannte Pipe oder ein Gerät, und "
                         "wird nicht gelesen.\n");
    r = command({"--price-list", giant, house}, programDir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("größer als 64 MiB; so groß ist keine Preisliste."), std::string::npos);
}
#endif

TEST(JsonEscape, ControlsQuotesAndMalformedUtf8)
{
    EXPECT_EQ(jsonEscape("a\"b\\c\r\n\t"), "a\\\"b\\\\c\\r\\n\\t");
    EXPECT_EQ(jsonEscape(std::string("\0\x1f", 2)), "\\u0000\\u001f");
    EXPECT_EQ(jsonEscape("äö€"), "äö€");
    EXPECT_EQ(jsonEscape("\xc2\x81"), "\\u0081");
    EXPECT_EQ(jsonEscape("\xff"), "\xef\xbf\xbd");
}

#ifdef _WIN32
// A console shows the program's UTF-8 text as its characters, not as bytes in its code page (850
// under German regional settings), also when a character arrives in two pieces.
TEST(StandardStreams, ConsoleShowsTheCharacters)
{
    HANDLE const saved = GetStdHandle(STD_OUTPUT_HANDLE);
    FreeConsole();
    ASSERT_NE(AllocConsole(), 0);
    HANDLE const console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    SetStdHandle(STD_OUTPUT_HANDLE, console);
    std::streambuf* const own = std::cout.rdbuf();
    useBinaryOutput();
    std::cout << "Gr\xc3" << std::flush << "\xb6\xc3\x9f"
              << "e \xce\xa9" << std::flush;
    const bool written = std::cout.good();
    std::cout.rdbuf(own);
    SetStdHandle(STD_OUTPUT_HANDLE, saved);

    std::wstring shown(16, L'\0');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(console, shown.data(), 16, COORD{0, 0}, &read);
    CloseHandle(console);
    FreeConsole();
    EXPECT_TRUE(written);
    // Seven characters, then the empty rest of the line.
    EXPECT_EQ(utf8Text(shown.substr(0, read)), "Größe Ω" + std::string(9, ' '));
}
#endif

// ---- The program itself
// Started through a POSIX shell, so not on Windows; there the same program is compared byte for
// byte with its Linux output instead.
#ifndef _WIN32

namespace {
const std::string kProgram = "'" + std::string(TARVEK_BINARY_DIR) + "/bin/tarvek-calc'";

// Runs a shell command line with LC_ALL=C: its standard output is `out`, its standard error `err`.
CommandCall runShell(const std::string& line)
{
    const std::string errFile = ::testing::TempDir() + "tarvek_calc_stderr.txt";
    const std::string cmd = "export LC_ALL=C; " + line + " 2>'" + errFile + "'";
    CommandCall r;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        r.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream e(errFile);
    r.err.assign(std::istreambuf_iterator<char>(e), {});
    return r;
}

CommandCall runProgram(const std::string& args)
{
    return runShell(kProgram + " " + args);
}
} // namespace

TEST(TarvekCalcProgram, HelpAndManualPageListTheOptionsOfTheParser)
{
    std::ifstream page(TARVEK_SOURCE_DIR "/dist/tarvek-calc.1.in");
    const std::set<std::string> listed = listedOptions(command({"--help"}, "/").out, false);
    EXPECT_EQ(listedOptions(std::string(std::istreambuf_iterator<char>(page), {}), true), listed);
    for (const std::string& name : listed) {
        EXPECT_EQ(command({"--" + name}, "/").err.find("unbekannte"), std::string::npos) << name;
    }
    EXPECT_EQ(command({"-v"}, "/").out, "tarvek-calc " TARVEK_VERSION "\n");
}

TEST(TarvekCalcProgram, SampleHouse)
{
    const std::string src = TARVEK_SOURCE_DIR;
    const CommandCall r = runProgram("--json --price-list '" + src + "/examples/Preisliste.txt' '" +
                                     src + "/examples/Haus.cfg'");
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = JsonReader::parse(r.out);
    EXPECT_EQ(j["outcome"].string, "complete");
    EXPECT_EQ(j["displays"]["itemCount"].number, 37);
    EXPECT_EQ(j["displays"]["squareSteps"].number, 48);
    EXPECT_EQ(j["sums"]["grandTotal"].number, 38840);
    EXPECT_EQ(j["lists"]["nested"].size(), 1u);
    EXPECT_EQ(j["lists"]["movable"].size(), 1u);
    EXPECT_EQ(j["lists"]["notCalculated"].size(), 1u);
    EXPECT_EQ(j["lists"]["warnings"].size(), 1u);
    EXPECT_EQ(j["lists"]["bill"][4]["text"].string, "Gesamtsumme            :      38.840 GS");
}

TEST(TarvekCalcProgram, SampleBreakdownAsJsonAndCsv)
{
    const std::string src = TARVEK_SOURCE_DIR;
    const std::string args =
        "--price-list '" + src + "/examples/Preisliste.txt' '" + src + "/examples/Haus.cfg'";
    const Json j = JsonReader::parse(runProgram("--json " + args).out);
    const Json& rows = j["breakdown"];
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(rows[6].keys,
              (std::vector<std::string>{"graphic", "key", "items", "name", "price", "kind",
                                        "pieces", "class", "amount", "status"}));
    EXPECT_EQ(rows[6]["key"].string, "0x1bfb");
    EXPECT_EQ(rows[6]["name"].string, "Fackeln (Bund zu 10)");
    EXPECT_EQ(rows[6]["pieces"].number, 10);
    EXPECT_EQ(rows[6]["class"].string, "NHZ");
    EXPECT_EQ(rows[6]["amount"].number, 150);
    EXPECT_EQ(rows[12]["graphic"].number, 4660);
    EXPECT_EQ(rows[12]["status"].string, "notCalculated");
    EXPECT_EQ(rows[12]["price"].type, Json::Type::Null);

    Folder folder("tarvek_calc_csv");
    const std::string csv = (folder.dir / "k.csv").string();
    ASSERT_EQ(runProgram("--csv '" + csv + "' " + args).status, 0);
    std::ifstream in(csv, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(
        text.rfind("\xEF\xBB\xBFGrafik;Schlüssel;Anzahl;Name;Preis;Art;Stück je Bund;Klasse;"
                   "Betrag;Status\r\n100;0x0064;12;Steinwand;250;Stück;1;HZ;3000;berechnet\r\n",
                   0),
        0u);
    EXPECT_NE(text.find("\r\n4660;0x1234;1;;;;;;0;nicht berechnet\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nSumme NHZ;;;;;;;;6640;\r\nSumme Items;;;;;;;;36440;\r\nQS gesamt;"),
              std::string::npos);
    EXPECT_TRUE(
        text.ends_with("Summe Items NHZ gesamt;;;;;;;;6640;\r\nGesamtsumme;;;;;;;;38840;\r\n"));
    EXPECT_EQ(runProgram("--csv - " + args).out, text);
    // "Nein" at the nested-items question: no pricing, no bill, so no bill rows.
    const std::string stopped = runProgram("--nested stop --csv - " + args).out;
    EXPECT_EQ(stopped, "\xEF\xBB\xBFGrafik;Schlüssel;Anzahl;Name;Preis;Art;Stück je Bund;Klasse;"
                       "Betrag;Status\r\n");
    EXPECT_EQ(csvField("Bund \"groß\"; 10"), "\"Bund \"\"groß\"\"; 10\"");
    // A name from the price list never becomes a formula in the spreadsheet.
    EXPECT_EQ(csvTextField("=HYPERLINK(\"x\";\"y\")"), "\"'=HYPERLINK(\"\"x\"\";\"\"y\"\")\"");
    EXPECT_EQ(csvTextField("Kiste -5"), "Kiste -5");
    // A run without its price list writes no breakdown and says so by its exit status.
    const std::string none = (folder.dir / "none.csv").string();
    EXPECT_EQ(runProgram("--csv '" + none + "' --price-list '" + src + "/nope.txt' '" + src +
                         "/examples/Haus.cfg'")
                  .status,
              1);
    EXPECT_FALSE(fs::exists(none));
    // A file that cannot be written fails the command, with the German reason.
    const CommandCall nowhere =
        runProgram("--csv '" + folder.dir.string() + "/nope/k.csv' " + args);
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_TRUE(nowhere.err.ends_with("k.csv kann nicht geschrieben werden: Datei oder Ordner "
                                      "nicht gefunden\n"));
}

TEST(TarvekCalcProgram, OutputThatCannotBeWrittenFailsAndLeavesNoCutShortFile)
{
    const std::string src = TARVEK_SOURCE_DIR;
    const std::string args =
        "--price-list '" + src + "/examples/Preisliste.txt' '" + src + "/examples/Haus.cfg'";
    for (const std::string mode : {"--csv -", "--json", ""}) {
        const CommandCall r = runProgram(mode + " " + args + " >/dev/full");
        EXPECT_EQ(r.status, 1) << mode;
        EXPECT_EQ(r.err, "tarvek-calc: Standardausgabe kann nicht geschrieben werden: Kein "
                         "Speicherplatz mehr auf dem Datenträger\n")
            << mode;
    }
    // Past the file size limit a write fails as on a full disk, at the latest when the file is
    // closed; the older file stays as it was and nothing else is left behind.
    Folder folder("tarvek_calc_full");
    const std::string csv = folder.write("k.csv", "alt\n");
    const CommandCall r = runShell("(trap '' XFSZ; ulimit -f 0; exec " + kProgram + " --csv '" +
                                   csv + "' " + args + " 2>&1 >/dev/null)");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "tarvek-calc: " + csv + " kann nicht geschrieben werden: Datei zu groß\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.dir), fs::directory_iterator()), 1);
    std::ifstream in(csv);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "alt\n");
}

TEST(TarvekCalcProgram, TheCsvReplacesOnlyItsOwnFileAndWritesIntoWhatIsNoFile)
{
    const std::string src = TARVEK_SOURCE_DIR;
    const std::string args =
        "--price-list '" + src + "/examples/Preisliste.txt' '" + src + "/examples/Haus.cfg'";
    Folder folder("tarvek_calc_safe");
    const std::string csv = folder.write("k.csv", "alt\n");
    const std::string victim = folder.write("opfer.txt", "geheim\n");
    fs::permissions(csv, fs::perms(0640));
    // A link planted at the name the temporary file once had (the name and the process id, which
    // "exec" keeps) takes nothing elsewhere.
    ASSERT_EQ(runShell("cd '" + folder.dir.string() + "' && ln -s opfer.txt k.csv.tmp$$ && exec " +
                       kProgram + " --csv k.csv " + args + " >/dev/null")
                  .status,
              0);
    EXPECT_EQ(fs::status(csv).permissions(), fs::perms(0640));
    std::ifstream written(csv, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(written), {});
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFGrafik;"));
    std::ifstream kept(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "geheim\n");
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.dir)) {
        names.insert(entry.path().filename().string().substr(0, 9));
    }
    EXPECT_EQ(names, (std::set<std::string>{"k.csv", "k.csv.tmp", "opfer.txt"}));

    // A named pipe with its reader.
    const std::string fifo = (folder.dir / "rohr").string();
    ASSERT_EQ(runShell("mkfifo '" + fifo + "'").status, 0);
    // Opened for reading first, without waiting for a writer; the pipe holds the whole CSV, so
    // the reading may follow the program. Had the program replaced the pipe, nothing would come.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(runProgram("--csv '" + fifo + "' " + args).status, 0);
    std::string piped(64 * 1024, '\0');
    piped.resize(
        static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, piped.data(), piped.size()))));
    ::close(reader);
    EXPECT_EQ(piped, text);
}

TEST(TarvekCalcProgram, AnOutputNamedAsTheStandardOutputGoesThroughItAndAloneThere)
{
    const std::string src = TARVEK_SOURCE_DIR;
    const std::string house = "'" + src + "/examples/Haus.cfg' ";
    const std::string args = "--price-list '" + src + "/examples/Preisliste.txt' " + house;
    Folder folder("tarvek_calc_stdout");
    const std::string named = (folder.dir / "named").string();
    const std::string piped = (folder.dir / "piped").string();
    const auto read = [](const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    // Each result once into a file, once through a name of the standard output into a file
    // behind it: the same bytes, and no report over their start.
    const std::vector<std::pair<std::string, std::string>> outputs{
        {"--clean", "/dev/stdout"},
        {"--clean", "-"},
        {"--compare " + house + "--csv", "/dev/fd/1"}};
    for (const auto& [option, name] : outputs) {
        ASSERT_EQ(runProgram(option + " '" + named + "' " + args).status, 0) << option;
        EXPECT_EQ(runProgram(option + " " + name + " " + args + " >'" + piped + "'").status, 0);
        EXPECT_EQ(read(piped), read(named)) << option << " " << name;
    }
    // The comparison's money reads as the bill's.
    EXPECT_NE(read(named).find(";38840;38840;0\r\n"), std::string::npos);
    EXPECT_NE(runProgram("--compare " + house + args).out.find("38.840 GS"), std::string::npos);

    for (const std::string both :
         {"--batch --csv /dev/stdout --csv-unpriced - ", "--json --csv /dev/fd/1 "}) {
        const CommandCall r = runProgram(both + args);
        EXPECT_EQ(r.status, 2) << both;
        EXPECT_NE(r.err.find("beide auf die Standardausgabe"), std::string::npos) << r.err;
    }
    // A file named as an output that the standard output is redirected into: two results in one
    // file, refused before either is written.
    for (const std::string option : {"--csv", "--clean", "--batch --csv - --csv-unpriced"}) {
        const CommandCall r = runProgram(option + " '" + named + "' " + args + " >'" + named + "'");
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_NE(r.err.find("nennt die Datei, in die schon die Standardausgabe geht"),
                  std::string::npos)
            << r.err;
    }
    // The file of the standard error is no device: it is not written over, and the system's link
    // to it (which root could replace) stays.
    EXPECT_EQ(runShell("(exec " + kProgram + " --csv /dev/stderr " + args + ">/dev/null 2>'" +
                       named + "')")
                  .status,
              1);
    EXPECT_EQ(read(named), "tarvek-calc: /dev/stderr kann nicht geschrieben werden: Die Datei "
                           "nimmt schon die Standardausgabe oder die Standardfehlerausgabe auf.\n");
    EXPECT_TRUE(fs::is_symlink("/dev/stderr"));
}

TEST(TarvekCalcProgram, ExitStatuses)
{
    EXPECT_EQ(runProgram("").status, 2);
    EXPECT_EQ(runProgram("--nested sometimes x.cfg").status, 2);
    const CommandCall r = runProgram("--json /nonexistent/x.cfg");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(JsonReader::parse(r.out)["outcome"].string, "aborted");
}

TEST(TarvekCalcProgram, OverflowFileInFull)
{
    Folder folder("tarvek_calc_overflow");
    const std::string prices = folder.write("p.txt", "");
    const std::string file = folder.write("h.cfg", lines({"Entry Header", "{", "Entry I"}));
    const CommandCall r = runProgram("--json --price-list '" + prices + "' '" + file + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = JsonReader::parse(r.out);
    EXPECT_EQ(j["sums"]["squareStepFee"].number, 4999000050LL);
    EXPECT_EQ(j["displays"]["grandTotal"].number, 4999000050LL);
    EXPECT_EQ(j["lists"]["bill"][0]["text"].string, "QS gesamt              : 4.999.000.050 GS");
}
#endif
