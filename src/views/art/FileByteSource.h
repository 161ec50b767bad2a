#pragma once

#include "views/art/ByteSource.h"

#include <filesystem>
#include <memory>

namespace tarvek::art {

// An art file kept open for the life of the source; every read fetches only the bytes asked for.
// A file that shrinks while it is open makes reads fail, never crash.
class FileByteSource : public ByteSource
{
public:
    // Null when the file cannot be opened.
    static std::unique_ptr<FileByteSource> open(const std::filesystem::path& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    std::uint64_t size() const override { return m_size; }
    bool read(std::uint64_t offset, std::size_t length,
              std::vector<std::uint8_t>& out) const override;

private:
    FileByteSource(int descriptor, std::uint64_t size);

    const int m_descriptor;
    const std::uint64_t m_size;
};

} // namespace tarvek::art
