#include "pricing/ProgramFiles.h"

#include "pricing/PriceList.h"

#include <filesystem>

namespace tarvek {

ProgramFiles ProgramFiles::locate(const std::string& programDir, const UserFolders& user)
{
    std::string dir = programDir.empty() ? std::string("./") : programDir;
    if (dir.back() != '/') {
        dir += '/';
    }
    std::error_code error;
    if (std::filesystem::exists(dir + OptionsFileName, error) || findPriceList(dir)) {
        return ProgramFiles{dir, dir, true};
    }
    const auto own = [](const std::string& base) {
        return base.empty() ? std::string() : base + SubFolder;
    };
    return ProgramFiles{own(user.config), own(user.data), false};
}

ProgramFiles ProgramFiles::locate(const std::string& programDir)
{
    return locate(programDir, UserFolders::fromEnvironment());
}

} // namespace tarvek
