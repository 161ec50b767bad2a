#pragma once

#include "app/Anchors.h"

#include <QRect>
#include <QSize>

#include <array>
#include <vector>

class QAction;
class QCheckBox;
class ElidedLabel;
class QLabel;
class QMainWindow;
class QMenu;
class QObject;
class QPushButton;
class QStatusBar;
class QToolButton;
class QWidget;
class TBDigit;
class TBLED;
class TBProgress;
class TResultList;

// The controls of the main window at their described places in the 688 x 635 client area, with
// their captions, hints and fonts; a larger area gives the lists more room. Builds them; the
// window connects the handlers.
class HauptformularUi
{
public:
    explicit HauptformularUi(QMainWindow* window);

    // ListBox1 .. ListBox6, index = number - 1.
    std::array<TResultList*, 6> listBox{};
    // BLED1 .. BLED9 by number (index = number - 1; BLED8 does not exist and stays nullptr).
    std::array<TBLED*, 9> bled{};
    // BDigit1 .. BDigit5, index = number - 1.
    std::array<TBDigit*, 5> bdigit{};
    TBProgress* bprogress1 = nullptr;

    QPushButton* bitBtn1 = nullptr; // "Importfile laden"
    QPushButton* bitBtn2 = nullptr; // "Berechnung starten" / "Stopp"
    QPushButton* bitBtn3 = nullptr; // "Anzeigen" nested items
    QPushButton* bitBtn4 = nullptr; // "Anzeigen" items without a price
    QPushButton* bitBtn6 = nullptr; // "Refresh"
    QPushButton* bitBtn7 = nullptr; // "Anzeigen" items that may not be imported
    QPushButton* bitBtn8 = nullptr; // "Kostenaufstellung" (while a bill is ready)
    QCheckBox* checkBox1 = nullptr; // "Kellerbau (nur Gilden)"
    QCheckBox* checkBox2 = nullptr; // "Wasserbau"

    QToolButton* toolButton1 = nullptr; // "Importpfad setzen"
    QToolButton* toolButton2 = nullptr; // "Importdatei editieren"
    QToolButton* toolButton5 = nullptr; // "Tarvek beenden"
    QToolButton* toolButton6 = nullptr; // "Grundriss anzeigen"

    QAction* optionen1 = nullptr;           // menu "Optionen"
    QAction* pfadangaben1 = nullptr;        // "Pfadangaben"
    QAction* clientVerzeichnis1 = nullptr;  // "Client-Verzeichnis"
    QAction* downloadaktiv1 = nullptr;      // "Download aktiv" (check mark)
    QAction* preislistenServer1 = nullptr;  // "Preislisten-Server ..."
    QAction* preislisteSuchen1 = nullptr;   // "Jetzt nach neuer Preisliste suchen"
    QAction* preislisteEinlesen1 = nullptr; // "Preisliste einlesen ..."
    QAction* importdatei1 = nullptr;        // menu "Importdatei"
    QAction* ansehen1 = nullptr;            // "Editieren"
    QAction* rechnung1 = nullptr;           // menu "Rechnung" (while a bill is ready)
    QAction* kostenaufstellung1 = nullptr;  // "Kostenaufstellung"
    QAction* rechnungSpeichern1 = nullptr;  // "Rechnung speichern ..."
    QAction* rechnungDrucken1 = nullptr;    // "Rechnung drucken ..."
    QAction* rechnungKopieren1 = nullptr;   // "Rechnung kopieren"
    QAction* grundriss1 = nullptr;          // "Grundriss" (after a complete run)
    QAction* ansichtImSpiel1 = nullptr;     // "Ansicht wie im Spiel" (with "Grundriss")
    QAction* bereinigen1 = nullptr;         // "Bereinigen ..." (after a run)
    QAction* vergleichen1 = nullptr;        // "Vergleichen mit ..."
    QAction* stapelpruefung1 = nullptr;     // "Stapelprüfung": many import files at once
    QAction* info1 = nullptr;               // "Info"
    QAction* beenden1 = nullptr;            // "Beenden"
    QAction* importfileLaden1 = nullptr;    // Ctrl+O: "Importfile laden"
    QAction* berechnungStarten1 = nullptr;  // F5: "Berechnung starten"

    QStatusBar* statusBar1 = nullptr;
    ElidedLabel* statusPanel = nullptr; // the status bar's one panel

    // The one table of what a run locks (schalterschalt disables it at the start and enables it
    // at the end): whatever would load, edit, show, close or change options. The start button
    // ("Stopp") and the fee boxes stay usable; the bill's commands follow BillCommands.
    std::vector<QObject*> runLocked() const;
    // What the validity test of a load locks: the run's table, the start button and the boxes.
    std::vector<QObject*> loadLocked() const;

private:
    void buildMenu(QMainWindow* window);
    void buildToolBar(QWidget* client);
    void buildLists(QWidget* client);
    void buildPhases(QWidget* client);
    void buildDisplays(QWidget* client);
    void buildBill(QWidget* client);
    void orderTabs() const;
    // Places the controls for a client area of `size`: at the described size where they are
    // described; a larger one moves and widens each by its anchors.
    void stretch(QSize size) const;
    // Takes a control of the client area, now at its described place, with its anchors.
    void anchor(QWidget* widget, Anchors anchors);

    struct Placed
    {
        QWidget* widget;
        QRect described;
        Anchors anchors;
    };
    // Every control of the client area with its described place and how it grows.
    std::vector<Placed> m_described;
};
