#include "support/FileHeldOpen.h"

#include <QDir>

#include <windows.h>

namespace tarvek::hardening {

FileHeldOpen::FileHeldOpen(const QString& path, Sharing sharing)
{
    const DWORD share = sharing == Sharing::OthersMayRead ? FILE_SHARE_READ : 0;
    // Backup semantics: a folder can be held too.
    HANDLE const handle = CreateFileW(
        reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()), GENERIC_READ,
        share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        m_handle = handle;
    }
}

FileHeldOpen::~FileHeldOpen()
{
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
    }
}

} // namespace tarvek::hardening
