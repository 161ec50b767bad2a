#include "gui/FileErrors.h"

#include "importfile/SystemReason.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>

QString FileErrors::reason(const QFileDevice& file, int errorNumber)
{
    // Qt words a system error with qt_error_string (translated for some numbers), or leaves a
    // failed write without words ("Unknown error", never translated).
    const QString reported = file.errorString();
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
    return QStringLiteral("Datei %1 kann nicht geöffnet werden. %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString FileErrors::cannotCreate(const QString& path, const QString& reason)
{
    return QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
        .arg(QDir::toNativeSeparators(path), reason);
}
