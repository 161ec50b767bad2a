#include "views/art/ArtSource.h"

#include "views/art/ArtStore.h"
#include "views/art/ClientFolder.h"
#include "views/art/FileByteSource.h"
#include "views/art/ItemArtDecoder.h"
#include "views/art/MulArtStore.h"
#include "views/art/UopArtStore.h"

#include <limits>

namespace tarvek::art {

namespace {

// Item graphic n is art entry 0x4000 + n; the entries below are the land tiles.
constexpr std::int64_t kFirstItemEntry = 0x4000;

std::unique_ptr<ArtStore> openStore(const std::filesystem::path& folder)
{
    if (const auto uop = ClientFolder::findFile(folder, "artLegacyMUL.uop")) {
        if (auto store = UopArtStore::open(FileByteSource::open(*uop))) {
            return store;
        }
    }
    const auto index = ClientFolder::findFile(folder, "artidx.mul");
    const auto data = ClientFolder::findFile(folder, "art.mul");
    if (!index || !data) {
        return nullptr;
    }
    auto indexFile = FileByteSource::open(*index);
    auto dataFile = FileByteSource::open(*data);
    if (!indexFile || !dataFile) {
        return nullptr;
    }
    return std::make_unique<MulArtStore>(std::move(indexFile), std::move(dataFile));
}

} // namespace

ArtSource::ArtSource(const std::filesystem::path& clientFolder)
    : m_folder(clientFolder), m_store(clientFolder.empty() ? nullptr : openStore(clientFolder))
{}

ArtSource::~ArtSource() = default;

std::shared_ptr<const ArtSource> ArtSource::locate(const std::string& clientPathOption)
{
    const auto folder = ClientFolder::find(clientPathOption, ClientFolder::homeFolder());
    return std::make_shared<const ArtSource>(folder.value_or(std::filesystem::path()));
}

ArtImage ArtSource::itemArt(std::int64_t graphic) const
{
    const std::int64_t index = kFirstItemEntry + graphic;
    if (!m_store || graphic < 0 || index > std::numeric_limits<std::uint32_t>::max()) {
        return {};
    }
    std::vector<std::uint8_t> data;
    if (!m_store->entry(static_cast<std::uint32_t>(index), data)) {
        return {};
    }
    return ItemArtDecoder::decode(data);
}

} // namespace tarvek::art
