#include "app/InstanceLock.h"

#include "base/ProgramFiles.h"
#include "base/SystemReason.h"
#include "gui/FileNameText.h"

#include <QCryptographicHash>
#include <QDir>

#include <windows.h>

#include <sddl.h>

#include <vector>

namespace {

// A named mutex: the system removes it with the last handle, so a copy that crashed leaves
// nothing behind. The program's own folder has the mutex "Tarvek" (in the session's own name
// space); a lock in another folder (the tests') a name of its own, derived from the folder.
class NamedMutex final : public InstanceLock
{
public:
    explicit NamedMutex(HANDLE handle) : m_handle(handle) {}
    ~NamedMutex() override { CloseHandle(m_handle); }
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // The pipe's name is the same for every start of the user in the session.
    void announce(const QString& /*serverName*/) override {}

private:
    HANDLE m_handle;
};

// Closes a handle of the system when it goes.
struct Handle
{
    HANDLE value = nullptr;
    ~Handle()
    {
        if (value != nullptr && value != INVALID_HANDLE_VALUE) {
            CloseHandle(value);
        }
    }
};

// The user account (its SID) of a process's token; empty when it cannot be read.
std::vector<BYTE> tokenUser(HANDLE process)
{
    Handle token;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token.value)) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token.value, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token.value, TokenUser, buffer.data(), size, &size)) {
        return {};
    }
    return buffer;
}

PSID sidOf(std::vector<BYTE>& user)
{
    return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
}

// This process's user as text ("S-1-5-21-..."), and its session: the pipe's name carries both, so
// that the copies of two users, or of one user in two sessions, never meet. Asked once.
const QString& ownUserAndSession()
{
    static const QString text = [] {
        QString user = QStringLiteral("unbekannt");
        std::vector<BYTE> own = tokenUser(GetCurrentProcess());
        LPWSTR sidText = nullptr;
        if (!own.empty() && ConvertSidToStringSidW(sidOf(own), &sidText)) {
            user = QString::fromWCharArray(sidText);
            LocalFree(sidText);
        }
        DWORD session = 0;
        ProcessIdToSessionId(GetCurrentProcessId(), &session);
        return QString::number(session) + u'-' + user;
    }();
    return text;
}

// A name that stands for the folder (Windows names ignore the letter case of a folder).
QString folderKey(const QString& folder)
{
    return QString::fromLatin1(QCryptographicHash::hash(QDir::cleanPath(folder).toLower().toUtf8(),
                                                        QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(16));
}

bool isDefaultFolder(const QString& folder)
{
    return QDir(folder) == QDir(InstanceLock::defaultFolder());
}

QString mutexName(const QString& folder)
{
    if (isDefaultFolder(folder)) {
        return QStringLiteral("Tarvek");
    }
    return QStringLiteral("Tarvek-") + folderKey(folder);
}

} // namespace

QString InstanceLock::defaultFolder(QString* error)
{
    // %LOCALAPPDATA%\Tarvek: one per user, whether the copy is portable or installed. Asked once;
    // every lock and pipe name compares with it.
    static const tarvek::InstanceFolder folder = tarvek::InstanceFolder::ofUser();
    if (error != nullptr) {
        *error = QString::fromStdString(folder.error);
    }
    return qtFileName(folder.folder);
}

std::unique_ptr<InstanceLock> InstanceLock::take(const QString& folder, QString* error)
{
    error->clear();
    const QString name = mutexName(folder);
    HANDLE const handle = CreateMutexW(nullptr, FALSE, name.toStdWString().c_str());
    const DWORD code = GetLastError();
    if (handle == nullptr) {
        *error = QStringLiteral("Die Sperre von Tarvek (%1) kann nicht angelegt werden. %2.")
                     .arg(name, QString::fromStdString(tarvek::windowsReason(code)));
        return nullptr;
    }
    if (code == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<NamedMutex>(handle);
}

QString InstanceLock::serverName(const QString& folder)
{
    // A named pipe. Pipes are one name space for the whole computer, so the name carries the
    // session and the user; the running copy's user is checked before a file is sent all the
    // same, since any user may make a pipe of any name.
    const QString name = QStringLiteral("Tarvek-") + ownUserAndSession();
    return isDefaultFolder(folder) ? name : name + u'-' + folderKey(folder);
}

QString InstanceLock::defaultSocketFolder()
{
    return QString(); // the pipe's name stands for the lock's folder
}

QString InstanceLock::announcedServer(const QString& folder)
{
    return serverName(folder);
}

bool InstanceLock::peerIsOwnUser(qintptr descriptor, Peer peer)
{
    HANDLE const pipe = reinterpret_cast<HANDLE>(descriptor);
    ULONG processId = 0;
    const BOOL known = peer == Peer::Server ? GetNamedPipeServerProcessId(pipe, &processId)
                                            : GetNamedPipeClientProcessId(pipe, &processId);
    if (!known) {
        return false;
    }
    Handle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    if (process.value == nullptr) {
        return false; // a process of another user may not even be opened
    }
    std::vector<BYTE> theirs = tokenUser(process.value);
    std::vector<BYTE> own = tokenUser(GetCurrentProcess());
    return !theirs.empty() && !own.empty() && EqualSid(sidOf(theirs), sidOf(own));
}

void InstanceLock::letServerTakeForeground(qintptr descriptor)
{
    ULONG processId = 0;
    if (GetNamedPipeServerProcessId(reinterpret_cast<HANDLE>(descriptor), &processId)) {
        AllowSetForegroundWindow(processId);
    }
}
