#include "support/engine/TempFolder.h"

#include <fstream>
#include <random>

namespace tarvek::hardening {

TempFolder::TempFolder()
{
    // create_directory is false for an existing folder: try other names until one is new.
    std::random_device random;
    do {
        m_path =
            std::filesystem::temp_directory_path() / ("tarvek-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(m_path));
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const
{
    remove(name);
    std::ofstream(m_path / name, std::ios::binary) << bytes;
    return (m_path / name).string();
}

void TempFolder::remove(const std::string& name) const
{
    std::error_code ignored;
    std::filesystem::remove(m_path / name, ignored);
}

} // namespace tarvek::hardening
