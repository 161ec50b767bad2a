#include "views/art/TUOArt.h"

#include "gui/FileNameText.h"

#include "views/art/ArtSource.h"
#include "views/art/ClientFolder.h"

#include <QApplication>
#include <QFile>
#include <QPainter>

#include <cstring>
#include <utility>

namespace {

std::shared_ptr<const tarvek::art::ArtSource>& sharedSource()
{
    static std::shared_ptr<const tarvek::art::ArtSource> source;
    return source;
}

// Where a picture is drawn in an area: centred, at its own size when it fits, otherwise scaled
// down to fit with its proportions kept.
QRect targetRect(QSize picture, QSize area)
{
    QSize drawn = picture;
    if (picture.width() > area.width() || picture.height() > area.height()) {
        drawn = picture.scaled(area, Qt::KeepAspectRatio);
        drawn = drawn.expandedTo(QSize(1, 1));
    }
    return QRect(QPoint((area.width() - drawn.width()) / 2, (area.height() - drawn.height()) / 2),
                 drawn);
}

} // namespace

QImage TUOArt::toImage(const tarvek::art::ArtImage& art)
{
    if (art.empty()) {
        return {};
    }
    QImage image(art.width, art.height, QImage::Format_ARGB32);
    for (int y = 0; y < art.height; ++y) {
        std::memcpy(image.scanLine(y), art.pixels.data() + static_cast<std::size_t>(y) * art.width,
                    static_cast<std::size_t>(art.width) * sizeof(std::uint32_t));
    }
    return image;
}

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
    // Controls on screen show the graphic from the new folder at once.
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* art = qobject_cast<TUOArt*>(widget)) {
            art->update();
        }
    }
}

void TUOArt::useClientFolder(const QString& clientPathOption)
{
    setSharedArtSource(tarvek::art::ArtSource::locate(engineFileName(clientPathOption)));
}

bool TUOArt::holdsArtFiles(const QString& folder)
{
    return tarvek::art::ClientFolder::holdsArtFiles(engineFileName(folder));
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
    const auto source = currentSource();
    if (!m_pictureValid || m_pictureSource.lock() != source || m_pictureIndex != m_artIndex) {
        m_picture = source ? toImage(source->itemArt(m_artIndex)) : QImage();
        m_pictureSource = source;
        m_pictureIndex = m_artIndex;
        m_pictureValid = true;
    }
    return m_picture;
}

QSize TUOArt::sizeHint() const
{
    return {kAreaWidth, kAreaHeight};
}

void TUOArt::paintEvent(QPaintEvent*)
{
    const QImage image = picture();
    if (image.isNull()) {
        return; // the dialog's background shows through
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(targetRect(image.size(), size()), image);
}
