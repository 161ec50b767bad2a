#pragma once

#include "calc/ItemRecord.h"
#include "views/plan/PlanTiles.h"
#include "views/plan/PlanView.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QPushButton;
class QScrollBar;
class QStatusBar;

// The window "Grundriss": the building of the last complete run as a map, one square per tile,
// coloured by what the run found about its items, with a legend, a choice of level, "Einpassen"
// and "Als Bild speichern ...". Not modal: it stays open beside the main window, which links it
// with its item lists both ways.
class TGrundriss : public QDialog
{
    Q_OBJECT

public:
    explicit TGrundriss(QWidget* parent = nullptr);

    // The filters of "Als Bild speichern ...": the file type is the chosen filter's.
    static constexpr const char* kPngFilter = "PNG-Bild (*.png)";
    static constexpr const char* kPdfFilter = "PDF-Dokument (*.pdf)";
    // What the file dialog of "Als Bild speichern ..." gave: the name (empty: cancelled) and the
    // chosen filter.
    struct ChosenFile
    {
        QString path;
        QString filter;
    };

    // Shows the plan of a complete run (the window keeps its own copy) and brings the window up.
    void showPlan(const tarvek::ItemRecord& record);
    // Brings the window up as it is, with its level, zoom and marks.
    void bringUp();
    // The price text of a graphic for the tool tips (empty: none).
    void setPriceLookup(std::function<QString(std::int32_t graphic)> lookup);
    // Where "Als Bild speichern ..." suggests the picture: the import file's folder.
    void setSaveFolder(const QString& folder) { m_saveFolder = folder; }
    // Asks for the file of "Als Bild speichern ...". By default a file dialog.
    void setFileChooser(std::function<ChosenFile(QWidget* parent)> chooser);

    // Marks the tiles of a line of one of the item lists (row -1: none). When the line's items
    // lie only on other levels than the one shown, the level of the first of them is shown.
    void highlightLine(const tarvek::plan::ListLine& line);

    tarvek::plan::PlanView* view() const { return m_view; }
    QStatusBar* statusLine() const { return m_status; }
    // The horizontal and the vertical scroll bar of the map.
    const std::array<QScrollBar*, 2>& scrollBars() const { return m_bars; }
    // The level shown: nothing for all levels.
    std::optional<std::int32_t> level() const;
    // "Als Bild speichern ...": writes the level shown as a PNG picture or a PDF document, as the
    // dialog's filter says; a name without the filter's extension gets it.
    void BildSpeichernClick();

signals:
    void lineChosen(tarvek::plan::ListLine line);
    void lineOpened(tarvek::plan::ListLine line);
    void itemOpened(const QString& line);
    // "Ansicht wie im Spiel": the same building as the game client draws it.
    void gameViewRequested();

private:
    void showLevel();
    // The scroll bars follow the map's scale and place.
    void followView();

    tarvek::ItemRecord m_record;
    tarvek::plan::PlanTiles m_tiles;
    tarvek::plan::PlanView* m_view = nullptr;
    QComboBox* m_level = nullptr;
    QPushButton* m_fit = nullptr;
    QPushButton* m_save = nullptr;
    QStatusBar* m_status = nullptr;
    std::array<QScrollBar*, 2> m_bars{};
    bool m_followingView = false;
    QString m_saveFolder;
    std::function<ChosenFile(QWidget*)> m_chooseFile;
};
