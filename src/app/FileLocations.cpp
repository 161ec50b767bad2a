#include "app/FileLocations.h"

#include "base/ProgramFiles.h"
#include "gui/FileNameText.h"

#include <QDir>

namespace {

QString withSeparator(QString folder)
{
    if (!folder.endsWith(u'/') && !folder.endsWith(QDir::separator())) {
        folder += u'/';
    }
    return folder;
}

} // namespace

FileLocations FileLocations::ofProgram(const QString& applicationDir)
{
    // The engine decides, for the window as for tarvek-calc.
    const std::string programDir = applicationDir.isEmpty()
                                       ? tarvek::programFolder()
                                       : engineFileName(withSeparator(applicationDir));
    const tarvek::ProgramFiles files = tarvek::ProgramFiles::locate(programDir);
    FileLocations locations{qtFileName(files.optionsFolder), qtFileName(files.priceListFolder),
                            qtFileName(files.optionsFile)};
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
    return FileLocations{dir, dir,
                         qtFileName(tarvek::ProgramFiles::optionsFileIn(engineFileName(dir)))};
}
