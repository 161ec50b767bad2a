#include "app/FileLocations.h"

#include "pricing/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString withSeparator(QString folder)
{
    if (!folder.endsWith(u'/') && !folder.endsWith(QDir::separator())) {
        folder += u'/';
    }
    return folder;
}

std::string encoded(const QString& folder)
{
    return QFile::encodeName(folder).toStdString();
}

QString decoded(const std::string& folder)
{
    return QFile::decodeName(QByteArray::fromStdString(folder));
}

} // namespace

FileLocations FileLocations::ofProgram(const QString& applicationDir)
{
    const QString programDir = withSeparator(
        applicationDir.isEmpty() ? QCoreApplication::applicationDirPath() : applicationDir);
    const tarvek::UserFolders user{
        encoded(
            withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))),
        encoded(
            withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)))};
    const tarvek::ProgramFiles files = tarvek::ProgramFiles::locate(encoded(programDir), user);
    FileLocations locations{decoded(files.optionsFolder), decoded(files.priceListFolder)};
    if (!files.portable) {
        // A folder that cannot be made shows up as the options file's own error at start.
        QDir().mkpath(locations.optionsDir);
        QDir().mkpath(locations.priceListDir);
    }
    return locations;
}

FileLocations FileLocations::inFolder(const QString& folder)
{
    const QString dir = withSeparator(folder);
    return FileLocations{dir, dir};
}
