#pragma once

#include <filesystem>
#include <string>

namespace tarvek::hardening {

// A new folder of a name of its own under the system's temporary folder, removed with the
// object.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes `bytes` as file `name` and returns its path. An existing file of that name is
    // removed first, so that the file takes the name as spelt here also where letter case is
    // ignored.
    std::string write(const std::string& name, const std::string& bytes) const;
    void remove(const std::string& name) const;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace tarvek::hardening
