#pragma once
// Calculations of files in a test folder with a given price list, as the window runs them.

#include "calc/Calculation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tarvek::testing {

inline const std::string kSampleDir = TARVEK_SOURCE_DIR "/examples/";

struct FileRuns
{
    std::filesystem::path dir;
    std::string priceList = kSampleDir + "Preisliste.txt";

    explicit FileRuns(const std::string& name)
        : dir(std::filesystem::path(::testing::TempDir()) / name)
    {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~FileRuns() { std::filesystem::remove_all(dir); }

    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    static std::string read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    CalculationRequest request(const std::string& file, Answer nested = Answer::Yes) const
    {
        return {.importFile = file,
                .programDir = dir.string() + "/",
                .priceListFile = priceList,
                .fees = {},
                .nested = nested,
                .recordItems = true};
    }
};

} // namespace tarvek::testing
