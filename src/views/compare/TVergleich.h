#pragma once

#include "calc/Comparison.h"
#include "views/iso/IsoScene.h"
#include "views/iso/PictureCache.h"
#include "views/plan/PlanTiles.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QTreeWidget;
namespace tarvek::art {
class ArtSource;
}
namespace tarvek::iso {
class IsoView;
}
namespace tarvek::plan {
class PlanView;
}

// The window "Vergleich": an old and a new import file run alike, side by side. Its tabs show the
// figures of both runs with their difference, the items added and removed by position key, the
// findings resolved and new per list, and the plan with the differences coloured (or the old or
// the new building alone), and the differences as the game client draws them (added items
// outlined, removed ones an outline alone). "Vergleich speichern ..." writes a PDF, "Vergleich
// kopieren" puts text and HTML on the clipboard. Files that cannot be compared are named with the
// reason instead. Not modal; Escape closes it.
class TVergleich : public QDialog
{
    Q_OBJECT

public:
    explicit TVergleich(QWidget* parent = nullptr);
    ~TVergleich() override;

    // Shows the comparison of two files (the window keeps it) and brings the window up.
    void showComparison(const QString& oldFile, const QString& newFile,
                        tarvek::FileComparison comparison);
    // "Vergleich speichern ...": asks for the file and writes the PDF; a failure is shown.
    void SpeichernClick();
    // "Vergleich kopieren": the comparison as text and as HTML on the clipboard.
    void KopierenClick();

    QTableWidget* figures() const { return m_figures; }
    QTreeWidget* added() const { return m_added; }
    QTreeWidget* removed() const { return m_removed; }
    QTreeWidget* findings() const { return m_findings; }
    QComboBox* planMode() const { return m_planMode; }
    tarvek::plan::PlanView* planView() const { return m_plan; }
    tarvek::iso::IsoView* gameView() const { return m_gameView; }
    const tarvek::iso::IsoScene& gameScene() const { return m_gameScene; }
    const tarvek::ItemRecord& gameRecord() const { return m_gameRecord; }
    QLabel* gameProblem() const { return m_gameProblem; }
    // Where the page "Ansicht wie im Spiel" takes the client's art from when it is drawn (the
    // source the item views share); without one, every item is a diamond.
    void setArtSource(std::function<std::shared_ptr<const tarvek::art::ArtSource>()> source)
    {
        m_artSource = std::move(source);
    }
    QLabel* refusal() const { return m_refusal; }
    QTabWidget* tabs() const { return m_tabs; }
    QStatusBar* statusLine() const { return m_status; }

signals:
    // Double click or Return on an item (in its lists or on the plan): the item as the list of
    // items that may not be imported writes it, for its view; with "Hingehen" unless the item is
    // one of the old building only.
    void itemOpened(const QString& line, bool canGoTo);
    // The window said in its status line what it saved or copied.
    void said();

private:
    QWidget* buildOverview();
    QWidget* buildItems();
    QWidget* buildPlan();
    QWidget* buildGameView();
    void fillFigures(const tarvek::Comparison& comparison);
    void fillItems(const tarvek::Comparison& comparison);
    void fillFindings(const tarvek::Comparison& comparison);
    void showPlan();
    // Draws the differences as the game client would, when its page is shown and they are new.
    void showGameView();
    void openItem(int row, bool added);
    // Says in the status line what was done.
    void say(const QString& text);

    tarvek::FileComparison m_comparison;
    QString m_oldFile;
    QString m_newFile;
    tarvek::ItemRecord m_planRecord;
    tarvek::plan::PlanTiles m_planTiles;

    QLabel* m_files = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLabel* m_refusal = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableWidget* m_figures = nullptr;
    QTreeWidget* m_added = nullptr;
    QTreeWidget* m_removed = nullptr;
    QTreeWidget* m_findings = nullptr;
    QComboBox* m_planMode = nullptr;
    QLabel* m_legend = nullptr;
    QStatusBar* m_status = nullptr;
    tarvek::plan::PlanView* m_plan = nullptr;
    // The page "Ansicht wie im Spiel": the differences from the client's files, drawn only once
    // the page is shown.
    std::function<std::shared_ptr<const tarvek::art::ArtSource>()> m_artSource;
    tarvek::iso::ClientPictures m_pictures;
    tarvek::ItemRecord m_gameRecord;
    tarvek::iso::IsoScene m_gameScene;
    bool m_gameDrawn = false;
    QWidget* m_gamePage = nullptr;
    QLabel* m_gameProblem = nullptr;
    tarvek::iso::IsoView* m_gameView = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_close = nullptr;
};
