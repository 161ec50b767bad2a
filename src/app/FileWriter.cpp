#include "app/FileWriter.h"

#include <QDir>
#include <QSaveFile>

#include <stdexcept>

QString FileWriter::cannotCreateText(const QString& path, const QString& reason)
{
    return QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

void FileWriter::writeAll(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    // Unbuffered, so that a write that fails is seen here and not lost in the last flush, which
    // commit() does not check.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(content) == content.size() && file.commit();
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw std::runtime_error(cannotCreateText(path, reason).toStdString());
    }
}
