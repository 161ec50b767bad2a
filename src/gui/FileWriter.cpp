#include "gui/FileWriter.h"

#include "base/AtomicFile.h"
#include "base/StandardStreams.h"
#include "base/SystemReason.h"
#include "gui/FileErrors.h"
#include "gui/FileNameText.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <stdexcept>

namespace {

[[noreturn]] void refuse(const QString& path, const QString& reason)
{
    throw std::runtime_error(FileWriter::cannotCreateText(path, reason).toStdString());
}

// The file that saving `path` replaces: a link is followed to the file it names. A file that may
// not be written to and a folder are refused before anything is written, in Qt's words.
QString replacedFile(const QString& path)
{
    QFileInfo existing(path);
    if (existing.exists() && !existing.isWritable()) {
        refuse(
            path,
            QCoreApplication::translate("QSaveFile", "Existing file %1 is not writable").arg(path));
    }
    if (existing.isDir()) {
        refuse(path, QCoreApplication::translate("QSaveFile", "Filename refers to a directory"));
    }
    if (!existing.isSymLink()) {
        return path;
    }
    // A cycle of links ends after so many; the link itself is then replaced.
    int depth = 128;
    while (--depth > 0 && existing.isSymLink()) {
        existing.setFile(existing.symLinkTarget());
    }
    return depth > 0 ? existing.filePath() : path;
}

} // namespace

QString FileWriter::cannotCreateText(const QString& path, const QString& reason)
{
    return FileErrors::cannotCreate(path, reason);
}

void FileWriter::writeAll(const QString& path, const QByteArray& content)
{
    const std::string_view bytes(content.constData(), std::size_t(content.size()));
    if (tarvek::namesStandardOutput(path.toStdString())) {
        errno = 0;
        if (!tarvek::writeStandard(tarvek::StandardStream::Output, bytes)) {
            refuse(path, QString::fromStdString(tarvek::systemReason(errno != 0 ? errno : EIO)));
        }
        return;
    }
    const auto written = tarvek::writeFileAtomically(engineFileName(replacedFile(path)), bytes,
                                                     tarvek::WriteTarget::Document);
    if (!written) {
        refuse(path, QString::fromStdString(written.error().reason));
    }
}
