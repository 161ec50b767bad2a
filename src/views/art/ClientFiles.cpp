#include "views/art/ClientFiles.h"

#include "base/FileNames.h"
#include "views/art/ArtSource.h"
#include "views/art/ClientFolder.h"
#include "views/art/FileByteSource.h"

#include <type_traits>

namespace tarvek::art {

namespace {

// Reads one file of the folder with `read`; sets `problem` when it is missing or refused.
template <typename Data>
std::optional<Data> readFile(const std::filesystem::path& folder, const std::string& name,
                             std::string& problem)
{
    const auto path = ClientFolder::findFile(folder, name);
    if (!path) {
        problem = name + " fehlt im Client-Ordner " + tarvek::fileNameOf(folder);
        return std::nullopt;
    }
    const auto file = FileByteSource::open(*path);
    if (!file) {
        problem = name + " lässt sich nicht öffnen: " + tarvek::fileNameOf(*path);
        return std::nullopt;
    }
    auto reading = Data::read(*file);
    if (!reading.problem.empty()) {
        problem = reading.problem;
    }
    if constexpr (std::is_same_v<Data, Hues>) {
        return std::move(reading.hues);
    } else {
        return std::move(reading.data);
    }
}

} // namespace

ClientFiles::ClientFiles(std::shared_ptr<const ArtSource> art) : m_art(std::move(art))
{
    if (!m_art || m_art->folder().empty()) {
        m_problem = "Kein Client-Ordner mit Item-Grafiken gefunden";
        return;
    }
    if (!m_art->isOpen()) {
        m_problem = "Die Item-Grafiken (art.mul und artidx.mul, oder artLegacyMUL.uop) fehlen im "
                    "Client-Ordner " +
                    tarvek::fileNameOf(m_art->folder());
    }
    std::string tileProblem;
    m_tileData = readFile<TileData>(m_art->folder(), "tiledata.mul", tileProblem);
    if (m_problem.empty()) {
        m_problem = tileProblem;
    }
    m_hues = readFile<Hues>(m_art->folder(), "hues.mul", m_colourProblem);
}

ClientFiles::~ClientFiles() = default;

const std::filesystem::path& ClientFiles::folder() const
{
    static const std::filesystem::path none;
    return m_art ? m_art->folder() : none;
}

TileData::Item ClientFiles::item(std::int64_t graphic) const
{
    return m_tileData ? m_tileData->item(graphic) : TileData::Item{};
}

ArtImage ClientFiles::picture(std::int64_t graphic, std::int64_t colour) const
{
    if (!m_art) {
        return {};
    }
    ArtImage image = m_art->itemArt(graphic);
    if (const Hues::Entry* entry = m_hues ? m_hues->entry(colour) : nullptr) {
        Hues::dye(image, *entry, (item(graphic).flags & TileData::kPartialHue) != 0);
    }
    return image;
}

} // namespace tarvek::art
