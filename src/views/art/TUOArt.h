#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace tarvek::art {
class ArtSource;
struct ArtImage;
} // namespace tarvek::art

// Draws one item graphic of the game, given by its number in ArtIndex, centred in the fixed
// 188 x 184 art area of the item views, on the background of the dialog. A graphic larger than
// the area is scaled down without smoothing. Without client files, for a graphic that does not
// exist, or for damaged data the area stays empty. The other properties are kept but not used:
// the item is drawn in its own colours.
class TUOArt : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int xOffset READ xOffset WRITE setXOffset)
    Q_PROPERTY(int yOffset READ yOffset WRITE setYOffset)
    Q_PROPERTY(short ArtType READ artType WRITE setArtType)
    Q_PROPERTY(int ArtIndex READ artIndex WRITE setArtIndex)
    Q_PROPERTY(short ArtColor READ artColor WRITE setArtColor)
    Q_PROPERTY(short DrawFlags READ drawFlags WRITE setDrawFlags)

public:
    static constexpr int kAreaWidth = 188;
    static constexpr int kAreaHeight = 184;

    explicit TUOArt(QWidget* parent = nullptr);
    ~TUOArt() override;

    int artIndex() const { return m_artIndex; }
    void setArtIndex(int index);

    int xOffset() const { return m_xOffset; }
    void setXOffset(int offset) { m_xOffset = offset; }
    int yOffset() const { return m_yOffset; }
    void setYOffset(int offset) { m_yOffset = offset; }
    short artType() const { return m_artType; }
    void setArtType(short type) { m_artType = type; }
    short artColor() const { return m_artColor; }
    void setArtColor(short color) { m_artColor = color; }
    short drawFlags() const { return m_drawFlags; }
    void setDrawFlags(short flags) { m_drawFlags = flags; }

    // The art source of every control that has none of its own. The main window sets it once at
    // start and again whenever the option "Clientpfad" changes.
    static void setSharedArtSource(std::shared_ptr<const tarvek::art::ArtSource> source);
    // Looks for the client files (the folder of the option "Clientpfad" first, then the usual
    // install folders) and makes them the shared art source.
    static void useClientFolder(const QString& clientPathOption);
    // Whether `folder` holds the client's art files (artLegacyMUL.uop, or artidx.mul and
    // art.mul).
    static bool holdsArtFiles(const QString& folder);
    static std::shared_ptr<const tarvek::art::ArtSource> sharedArtSource();

    // An art source for this control alone, in place of the shared one (null: the shared one).
    void setArtSource(std::shared_ptr<const tarvek::art::ArtSource> source);

    // A decoded graphic as a picture (null for an empty one).
    static QImage toImage(const tarvek::art::ArtImage& art);

    // The picture as drawn for the current ArtIndex (null when the area stays empty).
    QImage picture() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const tarvek::art::ArtSource> currentSource() const;

    int m_artIndex = 0;
    int m_xOffset = 0;
    int m_yOffset = 0;
    short m_artType = 0;
    short m_artColor = 0;
    short m_drawFlags = 0;
    std::shared_ptr<const tarvek::art::ArtSource> m_ownSource;

    // The last decoded picture and what it was decoded from.
    mutable QImage m_picture;
    mutable std::weak_ptr<const tarvek::art::ArtSource> m_pictureSource;
    mutable int m_pictureIndex = 0;
    mutable bool m_pictureValid = false;
};
