#include "importfile/FileNames.h"

#include "importfile/SystemReason.h"

namespace tarvek {

std::filesystem::path pathOf(std::string_view fileName)
{
    return std::filesystem::path(std::string(fileName));
}

std::string fileNameOf(const std::filesystem::path& path)
{
    return path.string();
}

std::FILE* openFile(const std::string& fileName, const char* mode)
{
    // "e": close-on-exec.
    return std::fopen(fileName.c_str(), (std::string(mode) + "e").c_str());
}

std::string openFailureReason(int errorNumber)
{
    return systemReason(errorNumber);
}

} // namespace tarvek
