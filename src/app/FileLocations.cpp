#include "app/FileLocations.h"

#include "app/OptionsFile.h"
#include "base/AtomicFile.h"
#include "base/FileReading.h"
#include "base/ProgramFiles.h"
#include "gui/Dialogs.h"
#include "gui/FileNameText.h"
#include "gui/VisibleText.h"
#include "pricing/PriceList.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString withSeparator(QString folder)
{
    if (!folder.endsWith(u'/') && !folder.endsWith(QDir::separator())) {
        folder += u'/';
    }
    return folder;
}

// Copies `name` (letter case ignored) from `from` into the folder `to`, unless `to` has such a
// file already. A copy that fails leaves nothing behind; the program then starts without it.
void takeAlong(const std::string& from, const std::string& to, const char* name,
               const tarvek::FileKind& kind)
{
    const std::optional<std::string> source = tarvek::findFileIgnoringCase(from, name);
    if (to.empty() || !source || tarvek::findFileIgnoringCase(to, name)) {
        return;
    }
    if (const auto bytes = tarvek::readRegularFile(*source, kind)) {
        [[maybe_unused]] const auto copied = tarvek::writeFileAtomically(to + name, *bytes);
    }
}

} // namespace

FileLocations FileLocations::ofProgram(const QString& applicationDir,
                                       bool (*writable)(const std::string&))
{
    // The engine decides, for the window as for tarvek-calc.
    const std::string programDir = applicationDir.isEmpty()
                                       ? tarvek::programFolder()
                                       : engineFileName(withSeparator(applicationDir));
    const tarvek::ProgramFiles files =
        tarvek::ProgramFiles::locate(programDir, tarvek::UserFolders::fromEnvironment(), writable);
    FileLocations locations{qtFileName(files.optionsFolder), qtFileName(files.priceListFolder),
                            qtFileName(files.optionsFile), qtFileName(files.unwritableFolder)};
    if (!files.portable) {
        // A folder that cannot be made shows up as the options file's own error at start.
        QDir().mkpath(locations.optionsDir);
        QDir().mkpath(locations.priceListDir);
    }
    if (!files.unwritableFolder.empty()) {
        constexpr tarvek::FileKind optionsKind{1u << 20, "Optionen"};
        takeAlong(files.unwritableFolder, files.optionsFolder,
                  tarvek::ProgramFiles::OptionsFileName, optionsKind);
        takeAlong(files.unwritableFolder, files.priceListFolder,
                  tarvek::ProgramFiles::PriceListFileName, tarvek::kPriceListKind);
    }
    return locations;
}

FileLocations FileLocations::inFolder(const QString& folder)
{
    const QString dir = withSeparator(folder);
    return FileLocations{
        dir, dir, qtFileName(tarvek::ProgramFiles::optionsFileIn(engineFileName(dir))), {}};
}

void tellUnwritableFolderOnce(QWidget* parent, const FileLocations& files,
                              const OptionsFile& options)
{
    const QString folder = QDir::toNativeSeparators(files.unwritableFolder);
    if (folder.isEmpty() || options.get(Options::HinweisProgrammordner) == folder) {
        return;
    }
    // Remembered before telling, so that the message never comes back for this folder.
    options.set(Options::HinweisProgrammordner, folder);
    Dialogs::plain(
        parent, QStringLiteral("Tarvek"),
        QStringLiteral(
            "Tarvek liegt in einem Ordner, in den es nicht schreiben darf:\n%1\n\n"
            "Die Optionen und die Preisliste bewahrt Tarvek deshalb in Ihrem Benutzerordner auf:\n"
            "%2\n\n"
            "Was dort fehlte, wurde aus dem Programmordner übernommen. Änderungen an den Dateien "
            "im Programmordner liest Tarvek nicht mehr. Soll Tarvek seine Dateien neben sich "
            "führen, entpacken Sie es in einen Ordner, in den Sie schreiben dürfen (etwa unter "
            "„Dokumente“), oder installieren Sie Tarvek mit dem Setup-Programm.")
            .arg(shownPath(folder), shownPath(files.optionsDir)));
}
