#include "gui/FileWriter.h"

#include "base/StandardStreams.h"
#include "base/SystemReason.h"
#include "gui/FileErrors.h"

#include <QSaveFile>

#include <cerrno>
#include <stdexcept>

QString FileWriter::cannotCreateText(const QString& path, const QString& reason)
{
    return FileErrors::cannotCreate(path, reason);
}

void FileWriter::writeAll(const QString& path, const QByteArray& content)
{
    if (tarvek::namesStandardOutput(path.toStdString())) {
        errno = 0;
        const std::string_view bytes(content.constData(), std::size_t(content.size()));
        if (!tarvek::writeStandard(tarvek::StandardStream::Output, bytes)) {
            const std::string reason = tarvek::systemReason(errno != 0 ? errno : EIO);
            throw std::runtime_error(
                cannotCreateText(path, QString::fromStdString(reason)).toStdString());
        }
        return;
    }
    QSaveFile file(path);
    // Unbuffered, so that a write that fails is seen here and not lost in the last flush, which
    // commit() does not check.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(content) == content.size() && file.commit();
    if (!written) {
        const QString reason = FileErrors::reason(file, errno);
        file.cancelWriting();
        throw std::runtime_error(cannotCreateText(path, reason).toStdString());
    }
}
