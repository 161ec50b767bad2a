#include "views/art/TUOArt.h"

#include "views/art/ArtSource.h"

#include <QPaintEvent>
#include <QPainter>

#include <utility>

namespace {

std::shared_ptr<const tarvek::art::ArtSource>& sharedSource()
{
    static std::shared_ptr<const tarvek::art::ArtSource> source;
    return source;
}

} // namespace

TUOArt::TUOArt(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kAreaWidth, kAreaHeight);
}

TUOArt::~TUOArt() = default;

void TUOArt::setArtIndex(int index)
{
    if (index == m_artIndex) {
        return;
    }
    m_artIndex = index;
    update();
}

void TUOArt::setSharedArtSource(std::shared_ptr<const tarvek::art::ArtSource> source)
{
    sharedSource() = std::move(source);
}

void TUOArt::useClientFolder(const QString& clientPathOption)
{
    setSharedArtSource(tarvek::art::ArtSource::locate(clientPathOption.toStdString()));
}

std::shared_ptr<const tarvek::art::ArtSource> TUOArt::sharedArtSource()
{
    return sharedSource();
}

void TUOArt::setArtSource(std::shared_ptr<const tarvek::art::ArtSource> source)
{
    m_ownSource = std::move(source);
    update();
}

std::shared_ptr<const tarvek::art::ArtSource> TUOArt::currentSource() const
{
    return m_ownSource ? m_ownSource : sharedSource();
}

QImage TUOArt::picture() const
{
    return {};
}

QSize TUOArt::sizeHint() const
{
    return {kAreaWidth, kAreaHeight};
}

void TUOArt::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
}
