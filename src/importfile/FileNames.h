#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvek {

// File names as the engine passes them around: UTF-8 text on Windows (opened through the wide
// system calls, so that a folder named "Größe" or "Ω" opens whatever the code page), and the
// file system's own bytes elsewhere.

// The path of a file name text.
std::filesystem::path pathOf(std::string_view fileName);
// The file name text of a path.
std::string fileNameOf(const std::filesystem::path& path);

// Opens a file in binary mode (mode "rb", "wb", ...), not inherited by child processes; null with
// errno set on failure.
std::FILE* openFile(const std::string& fileName, const char* mode);

} // namespace tarvek
