#pragma once

#include "calc/ItemRecord.h"
#include "views/iso/IsoScene.h"
#include "views/iso/PictureCache.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;

namespace tarvek::art {
class ArtSource;
}
namespace tarvek::iso {
class IsoView;
}

// The window "Ansicht wie im Spiel": the building of the last run as the game client draws it,
// from the client's files, with the run's findings outlined in their lists' colours, a check box
// per finding, the highest level shown, "Einpassen" and "Als Bild speichern ...". Without the
// client's art or tiledata.mul every item is a flat diamond of its tile, and a line at the top
// says what is missing. Not modal: it stays open beside the main window.
class TSpielansicht : public QDialog
{
    Q_OBJECT

public:
    explicit TSpielansicht(QWidget* parent = nullptr);
    ~TSpielansicht() override;

    // Where "Clientpfad" is set, for the line that says what is missing.
    static constexpr const char* kWhereSet = "Optionen > Client-Verzeichnis";

    // Shows the building of a run (the window keeps its own copy), drawn from the client folder
    // of `art` (the source the item views share), and brings the window up. The client's files
    // are read again only when the source is another.
    void showBuilding(const tarvek::ItemRecord& record,
                      std::shared_ptr<const tarvek::art::ArtSource> art);
    void bringUp();
    // The price text of a graphic for the tool tips (empty: none).
    void setPriceLookup(std::function<QString(std::int32_t graphic)> lookup);
    // Where "Als Bild speichern ..." suggests the picture: the import file's folder.
    void setSaveFolder(const QString& folder) { m_saveFolder = folder; }
    // Asks for the file of "Als Bild speichern ..." (empty: cancelled). By default a file dialog.
    void setFileChooser(std::function<QString(QWidget* parent)> chooser);

    // What the line at the top says: which client file is missing or damaged and where the
    // client folder is set, and how many items lie too far away to be drawn; empty: nothing.
    static QString problemText(const tarvek::iso::PictureCache& pictures,
                               const tarvek::iso::IsoScene& scene);

    tarvek::iso::IsoView* view() const { return m_view; }
    const tarvek::iso::IsoScene& scene() const { return m_scene; }
    QLabel* problemLine() const { return m_problem; }
    QStatusBar* statusLine() const { return m_status; }
    // "Als Bild speichern ...": the whole building, all levels, outlines on, as a PNG picture.
    void BildSpeichernClick();

signals:
    // A click on an item: its line as the item lists write it, for the view of any item.
    void itemOpened(const QString& line);

private:
    void filterChanged();

    tarvek::ItemRecord m_record;
    tarvek::iso::ClientPictures m_pictures;
    tarvek::iso::IsoScene m_scene;
    tarvek::iso::IsoView* m_view = nullptr;
    QLabel* m_problem = nullptr;
    QComboBox* m_level = nullptr;
    std::map<tarvek::ItemCategory, QCheckBox*> m_outlines;
    QStatusBar* m_status = nullptr;
    QString m_saveFolder;
    std::function<QString(QWidget*)> m_chooseFile;
};
