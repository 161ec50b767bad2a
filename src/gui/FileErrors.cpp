#include "gui/FileErrors.h"

#include "base/SystemReason.h"
#include "gui/VisibleText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>

QString FileErrors::reason(const QFileDevice& file, int errorNumber)
{
    QString reported = file.errorString();
#ifdef Q_OS_WIN
    // On Windows Qt words a failed system call with the system's message for its error code, in
    // the language of the Windows. The code is found again by that message, so the common
    // reasons are German whatever the language.
    for (const unsigned long code : tarvek::germanWindowsCodes()) {
        if (reported == qt_error_string(static_cast<int>(code))) {
            return QString::fromStdString(tarvek::windowsReason(code));
        }
    }
#endif
    // Qt words a system error with qt_error_string (translated for some numbers), or leaves a
    // failed write without words ("Unknown error", never translated).
    const bool systemWords = reported == qt_error_string(errorNumber);
    const bool noWords = reported == QLatin1String("Unknown error") ||
                         reported == QCoreApplication::translate("QIODevice", "Unknown error");
    if (errorNumber == 0 || !(systemWords || noWords)) {
        return reported;
    }
    return QString::fromStdString(tarvek::systemReason(errorNumber));
}

QString FileErrors::cannotOpen(const QString& path, const QString& reason)
{
    return QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(shownPath(path), reason);
}

QString FileErrors::cannotCreate(const QString& path, const QString& reason)
{
    return QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
        .arg(shownPath(path), reason);
}
