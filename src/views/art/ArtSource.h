#pragma once

#include "views/art/ArtImage.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace tarvek::art {

class ArtStore;

// The item graphics of one game-client folder. The files are opened once, when the source is
// made, and stay open while it lives; each call reads and decodes only the graphic asked for. A
// folder without art files, a missing graphic or damaged data all give an empty picture.
class ArtSource
{
public:
    // Opens the art files of a client folder: artLegacyMUL.uop when present and sound, otherwise
    // the pair artidx.mul + art.mul. File names are matched without regard to case.
    explicit ArtSource(const std::filesystem::path& clientFolder);
    ~ArtSource();
    ArtSource(const ArtSource&) = delete;
    ArtSource& operator=(const ArtSource&) = delete;

    // The source for the folder of the option "Clientpfad" (may be empty): that folder when it
    // holds art files, else the first usual install folder inside the user's Wine prefix that
    // does. Never null; without any client files the source is simply not open.
    static std::shared_ptr<const ArtSource> locate(const std::string& clientPathOption);

    bool isOpen() const { return m_store != nullptr; }
    const std::filesystem::path& folder() const { return m_folder; }

    // Item graphic number `graphic` (0 is the first item graphic).
    ArtImage itemArt(std::int64_t graphic) const;

private:
    std::filesystem::path m_folder;
    std::unique_ptr<ArtStore> m_store;
};

} // namespace tarvek::art
