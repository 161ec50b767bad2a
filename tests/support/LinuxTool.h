#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#ifdef _WIN32
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <optional>

#include <windows.h>

namespace linux_tool_detail {

// Under Wine the Linux tools are started by their name on the drive of the Unix root, but Wine
// neither connects their output to the program that starts them nor lets it wait for them. So a
// shell writes the output into a file and renames it when done. Nothing when not under Wine.
inline std::optional<QString> linuxToolOutput(const QString& tool, const QStringList& args)
{
    // Wine's own functions; the cast through void (*)() tells the compiler that it is meant.
    const auto wine = [](const char* name) {
        return reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32"), name));
    };
    const auto unixName =
        reinterpret_cast<char*(CDECL*)(const wchar_t*)>(wine("wine_get_unix_file_name"));
    const auto dosName =
        reinterpret_cast<wchar_t*(CDECL*)(const char*)>(wine("wine_get_dos_file_name"));
    if (unixName == nullptr || dosName == nullptr) {
        return std::nullopt;
    }
    const auto toUnix = [unixName](const QString& path) {
        char* name =
            unixName(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()));
        const QString text = QString::fromUtf8(name);
        HeapFree(GetProcessHeap(), 0, name);
        return text;
    };
    wchar_t* shell = dosName("/bin/sh");
    const QString shellPath = QString::fromWCharArray(shell);
    HeapFree(GetProcessHeap(), 0, shell);

    const QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("text"));
    QStringList shellArgs{
        QStringLiteral("-c"),
        QStringLiteral(R"(out=$1; shift; "$@" > "$out.part"; mv "$out.part" "$out")"),
        QStringLiteral("sh"), toUnix(dir.path()) + QStringLiteral("/text"), tool};
    for (const QString& arg : args) {
        shellArgs.append(QFileInfo::exists(arg) ? toUnix(arg) : arg);
    }
    if (!QProcess::startDetached(shellPath, shellArgs)) {
        return QString();
    }
    const QDeadlineTimer deadline(20000);
    while (!QFileInfo::exists(out) && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    QFile file(out);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace linux_tool_detail
#endif

// What a tool of the Linux host prints on its standard output (empty when it cannot be run); the
// test programs of the Windows build reach it through Wine. Arguments naming existing files or
// folders are handed over as Linux paths there.
inline QString linuxToolOutput(const QString& tool, const QStringList& args)
{
#ifdef _WIN32
    if (const std::optional<QString> text = linux_tool_detail::linuxToolOutput(tool, args)) {
        return *text;
    }
#endif
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
