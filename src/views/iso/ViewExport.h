#pragma once

#include <QString>

#include <memory>

namespace tarvek::art {
class ArtSource;
}
namespace tarvek::iso {
class IsoScene;
}

// Writes the whole building of a scene (all levels, every finding outlined) as a PNG picture,
// through a temporary file; a failure throws std::runtime_error with a German message.
void saveViewPng(const tarvek::iso::IsoScene& scene, const QString& path);

// tarvek --view-png OUT.png [--client FOLDER] [--price-list FILE] IMPORTFILE: runs the
// calculation of an import file without a window and writes the building as the client draws it
// from the client folder of `art`. Missing client files are named on the standard error and the
// items drawn as diamonds. Returns the exit status of tarvek-calc: 0 when the picture has been
// written, 1 for an unreadable or invalid file, an aborted run or a picture that cannot be
// written.
int writeViewPng(const QString& importFile, const QString& outFile, const QString& programDir,
                 const QString& priceList, std::shared_ptr<const tarvek::art::ArtSource> art);
