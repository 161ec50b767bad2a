#pragma once
// File names as text, opening files, and reading a regular file within a size limit.

#include "base/Result.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvek {

// File names as the engine passes them around: UTF-8 text on Windows (opened through the wide
// system calls, so that a folder named "Größe" or "Ω" opens whatever the code page), and the
// file system's own bytes elsewhere.

// The path of a file name text.
std::filesystem::path pathOf(std::string_view fileName);
// The file name text of a path.
std::string fileNameOf(const std::filesystem::path& path);

// The path of the file in `folder` whose name is `name` with its ASCII letter case ignored (a file
// copied from a system where case does not count may arrive as "OPTIONEN.TXT"). When several
// spellings exist, `name` itself wins, then its all-lower-case spelling, then the first other one
// in byte order. Nothing when there is none. `folder` may end with a separator or not; empty is
// the current folder.
std::optional<std::string> findFileIgnoringCase(const std::string& folder, std::string_view name);

// Whether two file names name the same file: by the file itself where both exist (so a hard
// link, "./Haus.cfg" beside "Haus.cfg" or, where letter case does not count, "HAUS.CFG" are
// found out), else by their absolute spelling with "." and ".." taken out.
bool sameFile(const std::string& first, const std::string& second);

// What tells a file from every other whatever name reaches it (another spelling, a link, a hard
// link, on Windows another letter case): the device and the file's number, on Windows the
// volume's serial number and the file's index. Nothing when the file cannot be found.
std::optional<std::pair<std::uint64_t, std::uint64_t>> fileIdentity(const std::string& fileName);

// Whether this process can make a file in `folder`: found out by making one and removing it, since
// on Windows only that answers for the folder's access list (and as root on Linux for a folder
// on a read-only disk).
bool folderIsWritable(const std::string& folder);

// A file name as messages, lists and tables show it: in the system's own form, on Windows with
// "\\" between the parts, one at a time (a folder's own separator and one added after it may
// meet), a network path's leading two kept; read as UTF-8 and with its control characters and
// direction marks made visible as displayText() shows a file's text. The name itself stays as
// given: Wine, for one, opens a name written with "/" from the Unix side.
std::string shownFileName(std::string_view fileName);

// Opens a file in binary mode (mode "rb", "wb", ...), not inherited by child processes; null with
// errno set on failure.
std::FILE* openFile(const std::string& fileName, const char* mode);
// Why the last openFile() failed with errno `errorNumber`, as systemReason() words it; on Windows
// from the system's own error code where there is one, which tells a file in use by another
// program from a missing permission.
std::string openFailureReason(int errorNumber);

// What a file is read as: its size limit and its name in the refusal of a larger file.
struct FileKind
{
    std::uint64_t limit;
    std::string_view name;
};

// Reads a whole file from a player, only when it is a regular file of at most kind.limit bytes. A
// named pipe, a device or a folder is refused without reading (and without waiting: the opening
// never blocks), a larger file from its size before reading and, should it grow meanwhile, after
// limit + 1 bytes. The error's reason is German (UTF-8): the system's as openFailureReason()
// words it (e.g. "Datei oder Ordner nicht gefunden"), "Ist ein Ordner", or why the file is
// refused ("Sie ist größer als 64 MiB; so groß ist keine Importdatei.").
Result<std::string> readRegularFile(const std::string& fileName, const FileKind& kind);

namespace detail {
// What a platform's reading found.
enum class FileRead
{
    Read,
    Failed,
    Folder,
    NotRegular,
    TooLarge
};
// Each platform's reading for readRegularFile(): what it found, the bytes of a file read, and
// the errno of a Failed one in errorNumber.
FileRead readInto(const std::string& fileName, std::uint64_t limit, std::string& bytes,
                  int& errorNumber);
// What both platforms' readRegularFile() do once the regular file is open and `size` bytes large
// by its status: refuse it beyond `limit`, else read it through `readSome` (the bytes read into
// the buffer, 0 at its end, negative on a failure, which has set errorNumber), and refuse it
// after limit + 1 bytes should it have grown meanwhile.
FileRead
readOpenedFile(std::uint64_t size, std::uint64_t limit, std::string& bytes,
               const std::function<std::int64_t(char* buffer, std::size_t size)>& readSome);
} // namespace detail

} // namespace tarvek
