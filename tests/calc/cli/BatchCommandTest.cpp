// tarvek-calc --batch: both tables in every output, the exit status, the options' rules.
#include "calc/cli/CommandCall.h"
#include "support/engine/MiniJson.h"
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tarvek;
using namespace tarvek::testing;
namespace fs = std::filesystem;

namespace {

struct Imports
{
    fs::path dir = fs::path(::testing::TempDir()) / "tarvek_calc_batch";
    Imports()
    {
        fs::remove_all(dir);
        fs::create_directories(dir / "in");
        write("Preisliste.txt", lines({"0x0e75|Tisch|120|t|1|0|0|0"}));
        write("in/a.cfg", importFile({item("3701"), item("100", "101"), item("100", "102")}));
        write("in/B.CFG", importFile({item("100"), item("7163", "101")}));
        write("in/c.cfg", "kein Import\r\n");
    }
    ~Imports() { fs::remove_all(dir); }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    CommandCall run(std::vector<std::string> args, bool terminal = false) const
    {
        args.insert(args.begin(), {"--batch", "--jobs", "2", (dir / "in").string()});
        return callCommand(args, dir.string() + "/", terminal);
    }
};

TEST(BatchCommand, JsonTextAndCsvCarryBothTables)
{
    const Imports imports;
    const CommandCall json = imports.run({"--json"});
    EXPECT_EQ(json.status, 1); // c.cfg is no import file
    const Json j = JsonReader::parse(json.out);
    ASSERT_EQ(j["files"].size(), 3u);
    EXPECT_EQ(fs::path(j["files"][1]["file"].string).filename(), "a.cfg");
    EXPECT_EQ(j["files"][1]["outcome"].string, "complete");
    EXPECT_EQ(j["files"][1]["itemSumHZ"].number, 120);
    EXPECT_EQ(j["files"][2]["outcome"].string, "invalid");
    // 0x0064 in both files (3 items), 0x1bfb in one.
    ASSERT_EQ(j["unpriced"].size(), 2u);
    EXPECT_EQ(j["unpriced"][0]["key"].string, "0x0064");
    EXPECT_EQ(j["unpriced"][0]["files"].number, 2);
    EXPECT_EQ(j["unpriced"][0]["items"].number, 3);
    EXPECT_FALSE(j["allRan"].boolean);
    EXPECT_NE(json.err.find("c.cfg: keine Importdatei"), std::string::npos);

    const CommandCall text = imports.run({"--nested", "stop"});
    EXPECT_NE(text.out.find("Nicht berechnete Grafiken\n  Grafik  Schlüssel  Dateien  Items\n"
                            "  100     0x0064     2        3\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("nicht alle Dateien berechnet"), std::string::npos);

    const CommandCall csv = imports.run(
        {"--csv", (imports.dir / "rows.csv").string(), "--csv-unpriced", "-", "--water"});
    EXPECT_EQ(csv.out, "\xEF\xBB\xBFGrafik;Schlüssel;Dateien;Items\r\n100;0x0064;2;3\r\n"
                       "7163;0x1bfb;1;1\r\n");
    const std::string rows = imports.read("rows.csv");
    EXPECT_TRUE(rows.starts_with("\xEF\xBB\xBF"
                                 "Datei;Items;Niedrigstes Z;QS;"));
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 4);
}

TEST(BatchCommand, AFileNamedTwiceByAnyNameIsPricedAndCountedOnce)
{
    const Imports imports;
    const fs::path file = imports.dir / "in" / "a.cfg";
    // A name relative to the working folder, which is made the files' own: on Windows the
    // temporary folder may be on another drive, where no relative name leads.
    const fs::path workingFolder = fs::current_path();
    fs::current_path(imports.dir);
    std::vector<std::string> names{file.string(), (imports.dir / "in" / "." / "a.cfg").string(),
                                   (fs::path("in") / "a.cfg").string()};
#ifdef _WIN32
    names.push_back((imports.dir / "in" / "A.CFG").string());
#else
    fs::create_symlink(file, imports.dir / "verweis.cfg");
    names.push_back((imports.dir / "verweis.cfg").string());
#endif
    const CommandCall text = imports.run(names);
    fs::current_path(workingFolder);
    EXPECT_NE(text.out.find("Stapelprüfung (3 Dateien)\n"), std::string::npos) << text.out;
    EXPECT_EQ(JsonReader::parse(imports.run({"--json", file.string()}).out)["files"].size(), 3u);
}

TEST(BatchCommand, ProgressOnlyForATerminalAndWhatStopsBeforeTheFirstFile)
{
    const Imports imports;
    EXPECT_EQ(imports.run({}).err.find('\r'), std::string::npos);
    EXPECT_NE(imports.run({}, true).err.find("\r\x1b[K[3/3] "), std::string::npos);
    const std::string file = imports.read("in/a.cfg");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--jobs", "0"},
             {"--csv", "x.csv"},
             {"--csv", "-", "--csv-unpriced", "-"},
             {"--json", "--csv", "-", "--csv-unpriced", "u.csv"},
             // A result never replaces an input, nor the other result.
             {"--csv", (imports.dir / "in" / "a.cfg").string(), "--csv-unpriced", "-"},
             {"--csv", "-", "--csv-unpriced", (imports.dir / "Preisliste.txt").string()},
             {"--csv", "x.csv", "--csv-unpriced", "./x.csv"}}) {
        EXPECT_EQ(imports.run(args).status, 2) << args[1];
    }
    EXPECT_EQ(imports.read("in/a.cfg"), file);
    fs::remove(imports.dir / "Preisliste.txt");
    const CommandCall missing = imports.run({});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("Preisliste"), std::string::npos);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCalcCommand({"--jobs", "2", "a.cfg"}, "/", out, err), 2);
    EXPECT_NE(err.str().find("--jobs gilt nur mit --batch"), std::string::npos);
}

} // namespace
