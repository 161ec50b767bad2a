#include "app/InstanceLock.h"

#include "gui/FileNameText.h"
#include "pricing/ProgramFiles.h"

#include <QCryptographicHash>
#include <QDir>

#include <windows.h>

namespace {

// A named mutex: the system removes it with the last handle, so a copy that crashed leaves
// nothing behind. The program's own folder has the mutex "Tarvek"; a lock in another folder (the
// tests') a name of its own, derived from the folder.
class NamedMutex final : public InstanceLock
{
public:
    explicit NamedMutex(HANDLE handle) : m_handle(handle) {}
    ~NamedMutex() override { CloseHandle(m_handle); }
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

private:
    HANDLE m_handle;
};

// A name that stands for the folder (Windows names ignore the letter case of a folder).
QString folderKey(const QString& folder)
{
    return QString::fromLatin1(QCryptographicHash::hash(QDir::cleanPath(folder).toLower().toUtf8(),
                                                        QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(16));
}

QString mutexName(const QString& folder)
{
    if (QDir(folder) == QDir(InstanceLock::defaultFolder())) {
        return QStringLiteral("Tarvek");
    }
    return QStringLiteral("Tarvek-") + folderKey(folder);
}

} // namespace

QString InstanceLock::defaultFolder()
{
    // %LOCALAPPDATA%\Tarvek: one per user, whether the copy is portable or installed. Asked once;
    // every lock and pipe name compares with it.
    static const QString folder = [] {
        const QString local =
            qtFileName(tarvek::ProgramFiles::locate(tarvek::programFolder()).instanceFolder);
        if (local.isEmpty()) {
            return QDir::tempPath();
        }
        QDir().mkpath(local);
        return local;
    }();
    return folder;
}

std::unique_ptr<InstanceLock> InstanceLock::take(const QString& folder)
{
    const std::wstring name = mutexName(folder).toStdWString();
    HANDLE const handle = CreateMutexW(nullptr, FALSE, name.c_str());
    if (handle == nullptr) {
        return nullptr;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<NamedMutex>(handle);
}

QString InstanceLock::serverName(const QString& folder)
{
    // A named pipe; pipes are one name space for the whole computer, so the name carries the
    // folder, which is the user's own.
    return QStringLiteral("Tarvek.") + folderKey(folder);
}
