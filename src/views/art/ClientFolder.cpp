#include "views/art/ClientFolder.h"

#include "base/FileNames.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace tarvek::art {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::optional<std::filesystem::path> ClientFolder::findFile(const std::filesystem::path& folder,
                                                            const std::string& name)
{
    std::error_code error;
    const std::filesystem::path exact = folder / tarvek::pathOf(name);
    if (std::filesystem::is_regular_file(exact, error)) {
        return exact;
    }
    const std::string wanted = lower(name);
    std::filesystem::directory_iterator entries(folder, error);
    for (const auto end = std::filesystem::directory_iterator(); !error && entries != end;
         entries.increment(error)) {
        if (lower(tarvek::fileNameOf(entries->path().filename())) == wanted &&
            entries->is_regular_file(error)) {
            return entries->path();
        }
    }
    return std::nullopt;
}

bool ClientFolder::holdsArtFiles(const std::filesystem::path& folder)
{
    return findFile(folder, "artLegacyMUL.uop") ||
           (findFile(folder, "artidx.mul") && findFile(folder, "art.mul"));
}

std::vector<std::filesystem::path>
ClientFolder::usualFolders(const std::vector<std::filesystem::path>& programFiles,
                           const std::filesystem::path& drive)
{
    std::vector<std::filesystem::path> folders;
    for (const std::string_view folder : kUsualProgramFolders) {
        for (const auto& root : programFiles) {
            folders.push_back(root / tarvek::pathOf(folder));
        }
    }
    for (const std::string_view folder : kUsualDriveFolders) {
        folders.push_back(drive / tarvek::pathOf(folder));
    }
    return folders;
}

std::vector<std::filesystem::path> ClientFolder::candidates(const std::string& clientPathOption,
                                                            const std::filesystem::path& home)
{
    std::vector<std::filesystem::path> folders;
    const std::string option = trimmed(clientPathOption);
    if (!option.empty()) {
        folders.push_back(optionFolder(option, home));
    }
    for (auto& folder : installFolders(home)) {
        folders.push_back(std::move(folder));
    }
    return folders;
}

std::optional<std::filesystem::path> ClientFolder::find(const std::string& clientPathOption,
                                                        const std::filesystem::path& home)
{
    for (const auto& folder : candidates(clientPathOption, home)) {
        if (holdsArtFiles(folder)) {
            return folder;
        }
    }
    return std::nullopt;
}

} // namespace tarvek::art
