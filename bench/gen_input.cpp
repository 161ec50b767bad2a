// tarvek-bench-gen: writes a deterministic synthetic import file and price list.
//   tarvek-bench-gen [--items N] [--graphics N] [--price-lines N] [--nested SHARE]
//                    [--scale K] [--seed S] OUTDIR
// Writes OUTDIR/bench.cfg and OUTDIR/Preisliste.txt. --scale K multiplies items, graphics and
// price lines.
#include "BenchInput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    tarvek::bench::InputShape shape;
    std::string out;
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::cerr << "tarvek-bench-gen: " << a << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--items") {
            shape.items = std::atoi(value());
        } else if (a == "--graphics") {
            shape.graphics = std::atoi(value());
        } else if (a == "--price-lines") {
            shape.priceLines = std::atoi(value());
        } else if (a == "--nested") {
            shape.nestedShare = std::atof(value());
        } else if (a == "--scale") {
            scale = std::atoi(value());
        } else if (a == "--seed") {
            shape.seed = static_cast<std::uint32_t>(std::strtoul(value(), nullptr, 10));
        } else if (!a.empty() && a[0] != '-' && out.empty()) {
            out = a;
        } else {
            std::cerr << "usage: tarvek-bench-gen [--items N] [--graphics N] [--price-lines N] "
                         "[--nested SHARE] [--scale K] [--seed S] OUTDIR\n";
            return 2;
        }
    }
    if (out.empty() || scale < 1 || shape.items < 0 || shape.graphics < 1) {
        std::cerr << "usage: tarvek-bench-gen [options] OUTDIR\n";
        return 2;
    }
    shape.items *= scale;
    shape.graphics *= scale;
    shape.priceLines *= scale;
    const auto input = tarvek::bench::makeInput(shape);
    // The folder is made when missing; a file that cannot be written ends the tool with an error
    // instead of a report of files that are not there.
    std::error_code folderError;
    std::filesystem::create_directories(out, folderError);
    for (const auto& [name, bytes] : {std::pair{"/bench.cfg", &input.importFile},
                                      std::pair{"/Preisliste.txt", &input.priceList}}) {
        std::ofstream file(out + name, std::ios::binary);
        file << *bytes;
        file.close();
        if (!file) {
            std::cerr << "tarvek-bench-gen: " << out << name << " kann nicht geschrieben werden\n";
            return 1;
        }
    }
    std::cout << out << "/bench.cfg: " << shape.items << " items, " << input.importFile.size()
              << " bytes; " << out << "/Preisliste.txt: " << shape.priceLines << " lines\n";
    return 0;
}
