#include "views/art/FileByteSource.h"

#include <algorithm>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <windows.h>

namespace tarvek::art {

FileByteSource::FileByteSource(int descriptor, std::uint64_t size)
    : m_descriptor(descriptor), m_size(size)
{}

std::unique_ptr<FileByteSource> FileByteSource::open(const std::filesystem::path& path)
{
    const int descriptor = _wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (descriptor < 0) {
        return nullptr;
    }
    struct _stat64 status
    {};
    if (_fstat64(descriptor, &status) != 0 || (status.st_mode & _S_IFREG) == 0 ||
        status.st_size < 0) {
        _close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<FileByteSource>(
        new FileByteSource(descriptor, static_cast<std::uint64_t>(status.st_size)));
}

FileByteSource::~FileByteSource()
{
    _close(m_descriptor);
}

bool FileByteSource::read(std::uint64_t offset, std::size_t length,
                          std::vector<std::uint8_t>& out) const
{
    if (!contains(offset, length)) {
        return false;
    }
    out.resize(length);
    // A read at an offset of its own, like pread: the file position is neither used nor shared.
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(m_descriptor));
    std::size_t done = 0;
    while (done < length) {
        const std::uint64_t at = offset + done;
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(length - done, 1u << 30));
        DWORD got = 0;
        if (ReadFile(file, out.data() + done, want, &got, &position) == 0 || got == 0) {
            return false; // read error, or the file became shorter since it was opened
        }
        done += got;
    }
    return true;
}

} // namespace tarvek::art
