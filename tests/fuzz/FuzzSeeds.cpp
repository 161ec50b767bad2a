// Writes the seed corpora of the fuzz targets: fuzz_seeds SOURCE_DIR OUT_DIR. Each target gets
// the example files and made-up inputs that reach the code paths it fuzzes, in OUT_DIR/<target>.
#include "support/engine/SampleInputs.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace tarvek::hardening;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeSeeds(const fs::path& folder, const std::vector<std::string>& seeds)
{
    fs::create_directories(folder);
    int n = 0;
    for (const auto& seed : seeds) {
        std::ofstream(folder / ("seed-" + std::to_string(++n)), std::ios::binary) << seed;
    }
}

// A file of `items` entries in the shortest form: the item limit lies beyond what the fuzzer's
// length limit lets it write.
std::string itemCount(int items)
{
    std::string out = "Entry Header\n{\n";
    for (int i = 0; i < items; ++i) {
        out += "Entry I\n";
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Aufruf: fuzz_seeds QUELLORDNER ZIELORDNER\n";
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path out = argv[2];
    const std::string house = readFile(source / "examples" / "Haus.cfg");
    const std::string prices = readFile(source / "examples" / "Preisliste.txt");

    writeSeeds(out / "fuzz_import",
               {house, sampleImport(), generatedImport(3, 7), generatedImport(40, 11),
                "Entry Header\n{\n}\n", "x Entry Header y\r  {  \r\tx\t-5 \r\ty\t12345\r\tz\t$7F\r",
                "Entry Header\r\n{\r\n\tgraphic\t1173\r\n\tx\t1\r\n\ty\t2\r\n\tz\t3\r\n",
                itemCount(3000), itemCount(3001), "\xEF\xBB\xBF" + house,
                "Entry Header\r\n{\r\n\tgraphic\t3701\r\n\tx\t1\r\n\ty\t2\r\n"
                "\tz\t0000\x1b.say\x07hi \xC3\xA4\r\n",
                std::string("E\0n\0t\0r\0y\0 \0H\0e\0a\0d\0e\0r\0", 24)});
    writeSeeds(out / "fuzz_prices",
               {prices, samplePriceList(), "0x0064|A|1|t|1|0|0|0\n0x0064|B|2|t|1|1|1|1\n",
                "0X0E75|A|120|t|1|0|0|0\r\n0x1bfb|B|500|b|0|1|0|0\r\n",
                "0x0e75|A|2147483647|b|-1|0|0|0\r\n0x0064|A|-2147483648|t|1|1|1|1\r\n",
                "0x0064|A|12|t|1|\r\n0x0e75|A|x|t|1|0|0|0\r\n",
                "\xEF\xBB\xBF"
                "0x0e75|T\xC3\xBCr\x1b|120|t|1|1|1|0\r\n0x0064|\xC3|1|b|0|0|0|0\r\n",
                "0x0e75|Gr\xC3\xB6\xC3\x9F"
                "e\x7f|120|t|1|0|0|0\r\n",
                "\xFF\xFE"
                "0\0x\0"});
    writeSeeds(out / "fuzz_values",
               {"\tx\t1234\n\ty\t-123\n\tz\t$7F\n\tgraphic\t0x1F13\n\tcolor\t1283\n",
                "2147483647\n-2147483648\n2147483648\n+0X7fffffff\n-$80000000\n   12\n",
                "0x0e75|Name|120|t|1|0|0|0\n0x0e751|x|1|B|0|1|1|1\n0X0E75||||||\n",
                "Kellertreppe-1|2'3|AB|ab\nab|-|''|1\n",
                "\tgraphic\t1173\n\tx\t12345\n\ty\t2\n"
                "\tz\t 5\n\tcolor\t1283 \n",
                "\xEF\xBB\xBF"
                "0x0e75|T\xC3\xBCr|1|t|1|0|0|0\n\x1b\x7f\xC2\x85\xE2\x82\n",
                "0X0e75|\x81\x9d|12|B|3|1|1|1\n0x0E7|a|1|t|1|0|0|0\n0xabcd|a|1|b|x|1|1|1\n"});
    // The client's tables: item records of both layouts (flags, heights) and a group of colours.
    std::string oldGroup(1188, '\0');
    std::string newGroup(1316, '\0');
    for (std::size_t record = 0; record < 32; ++record) {
        oldGroup[4 + record * 37] = static_cast<char>(record % 2 == 0 ? 0x09 : 0x00);
        oldGroup[4 + record * 37 + 16] = static_cast<char>(record);
        newGroup[4 + record * 41 + 2] = static_cast<char>(record % 3 == 0 ? 0x04 : 0x00);
        newGroup[4 + record * 41 + 20] = static_cast<char>(record);
    }
    std::string hues(4 + 8 * 88, '\0');
    for (std::size_t i = 4; i < hues.size(); ++i) {
        hues[i] = static_cast<char>(i * 7);
    }
    writeSeeds(out / "fuzz_tiledata",
               {"\x01" + oldGroup, "\x02" + newGroup, "\x03" + oldGroup + oldGroup,
                std::string("\0", 1) + oldGroup});
    writeSeeds(out / "fuzz_hues", {hues, hues + hues.substr(0, 100)});
    return 0;
}
