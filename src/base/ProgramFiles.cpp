#include "base/ProgramFiles.h"

#include "base/FileNames.h"

#include <filesystem>

namespace tarvek {

namespace {

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

std::string withSeparator(const std::string& folder)
{
    if (folder.empty()) {
        return std::string{'.', kSeparator};
    }
    if (folder.back() == '/' || folder.back() == kSeparator) {
        return folder;
    }
    return folder + kSeparator;
}

// The sub-folder of a user folder; empty when the user folder is unknown.
std::string own(const std::string& base)
{
    return base.empty() ? std::string() : withSeparator(base) + ProgramFiles::SubFolder;
}

} // namespace

std::string ProgramFiles::optionsFileIn(const std::string& folder)
{
    const std::string dir = withSeparator(folder);
    return findFileIgnoringCase(dir, OptionsFileName).value_or(dir + OptionsFileName);
}

std::string ProgramFiles::priceListFolderToRead() const
{
    const bool brought = !unwritableFolder.empty() &&
                         !findFileIgnoringCase(priceListFolder, PriceListFileName) &&
                         findFileIgnoringCase(unwritableFolder, PriceListFileName);
    return brought ? unwritableFolder : priceListFolder;
}

ProgramFiles ProgramFiles::locate(const std::string& programDir, const UserFolders& user,
                                  bool (*writable)(const std::string& folder))
{
    ProgramFiles files;
    const std::string dir = withSeparator(programDir);
    const std::optional<std::string> options = findFileIgnoringCase(dir, OptionsFileName);
    files.portable = options || findFileIgnoringCase(dir, PriceListFileName);
    if (files.portable && !writable(dir)) {
        files.portable = false;
        files.unwritableFolder = dir;
    }
    if (files.portable) {
        files.optionsFolder = dir;
        files.priceListFolder = dir;
        files.optionsFile = options.value_or(dir + OptionsFileName);
    } else {
        files.optionsFolder = own(user.config);
        files.priceListFolder = own(user.data);
        if (!files.optionsFolder.empty()) {
            files.optionsFile = optionsFileIn(files.optionsFolder);
        }
    }
    return files;
}

ProgramFiles ProgramFiles::locate(const std::string& programDir)
{
    return locate(programDir, UserFolders::fromEnvironment(), folderIsWritable);
}

InstanceFolder InstanceFolder::ofUser()
{
    return of(UserFolders::fromEnvironment());
}

} // namespace tarvek
