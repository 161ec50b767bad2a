#pragma once

// Windows only: a file held open by another program, as Windows users meet it.

#include <QString>

namespace tarvek::hardening {

// While it lives, the file `path` is held open for reading, as another program may hold it. With
// OthersMayRead the file can be read but neither written nor replaced; with Locked it cannot even
// be opened. A folder held so cannot be moved or removed.
class FileHeldOpen
{
public:
    enum class Sharing
    {
        Locked,
        OthersMayRead
    };

    FileHeldOpen(const QString& path, Sharing sharing);
    ~FileHeldOpen();
    FileHeldOpen(const FileHeldOpen&) = delete;
    FileHeldOpen& operator=(const FileHeldOpen&) = delete;

    // False when the file could not be opened.
    bool active() const { return m_handle != nullptr; }

private:
    void* m_handle = nullptr;
};

} // namespace tarvek::hardening
