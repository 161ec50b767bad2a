#pragma once

#include "views/art/ArtImage.h"
#include "views/art/Hues.h"
#include "views/art/TileData.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace tarvek::art {

class ArtSource;

// What the view of the whole building reads from one client folder: the item art (through the
// art source the item views share), tiledata.mul and hues.mul, each read once when the object is
// made. A missing or refused file is named in problem(); the others are still used.
class ClientFiles
{
public:
    explicit ClientFiles(std::shared_ptr<const ArtSource> art);
    ~ClientFiles();
    ClientFiles(const ClientFiles&) = delete;
    ClientFiles& operator=(const ClientFiles&) = delete;

    // The client folder (empty when none was found).
    const std::filesystem::path& folder() const;
    // Whether the art and tiledata.mul are there, so that the building can be drawn as the
    // client draws it.
    bool drawable() const { return m_problem.empty(); }
    // Why it cannot be drawn, naming the missing or damaged file (German, UTF-8); empty when it
    // can.
    const std::string& problem() const { return m_problem; }
    // What is missing that only costs the colours (hues.mul), empty when nothing.
    const std::string& colourProblem() const { return m_colourProblem; }

    // Flags and height of an item graphic (all 0 without tiledata.mul).
    TileData::Item item(std::int64_t graphic) const;
    // The picture of an item graphic dyed with a colour value: with the PartialHue flag only its
    // grey pixels. Empty when the graphic is missing or damaged.
    ArtImage picture(std::int64_t graphic, std::int64_t colour) const;

private:
    std::shared_ptr<const ArtSource> m_art;
    std::optional<TileData> m_tileData;
    std::optional<Hues> m_hues;
    std::string m_problem;
    std::string m_colourProblem;
};

} // namespace tarvek::art
