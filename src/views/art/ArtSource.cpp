#include "views/art/ArtSource.h"

#include "views/art/ArtStore.h"

namespace tarvek::art {

ArtSource::ArtSource(const std::filesystem::path& clientFolder) : m_folder(clientFolder) {}

ArtSource::~ArtSource() = default;

std::shared_ptr<const ArtSource> ArtSource::locate(const std::string& clientPathOption)
{
    return std::make_shared<const ArtSource>(clientPathOption);
}

ArtImage ArtSource::itemArt(std::int64_t) const
{
    return {};
}

} // namespace tarvek::art
