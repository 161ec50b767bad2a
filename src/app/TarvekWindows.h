#pragma once

#include <QString>

#include <memory>

class DownloadCallbacks;
class MessageBoxPrompter;
class PriceListUpdater;
class TAnsichtbeweglich;
class TAnsichtinein;
class TAnsichtitem;
class TAnsichtnichtberechnet;
class THauptformular;
class TImportedit;
class TKostenaufstellung;
class TInfo;
class TGrundriss;
class TPfadangaben;
class TPreislistenServer;
class TSpielansicht;

// All windows of the program, created once at start in their fixed order and reused until the
// program ends. The main window comes first; the dialogs are its children, so they close with
// it. This is also where the parts of the program are plugged into the main window's hooks.
class TarvekWindows
{
public:
    // programDir: see THauptformular.
    explicit TarvekWindows(const QString& programDir = QString());
    ~TarvekWindows();
    TarvekWindows(const TarvekWindows&) = delete;
    TarvekWindows& operator=(const TarvekWindows&) = delete;

    THauptformular& hauptformular() const { return *m_hauptformular; }
    TPfadangaben& pfadangaben() const { return *m_pfadangaben; }
    TGrundriss& grundriss() const { return *m_grundriss; }
    TSpielansicht& spielansicht() const { return *m_spielansicht; }
    TImportedit& importedit() const { return *m_importedit; }
    TInfo& info() const { return *m_info; }
    PriceListUpdater& updater() const { return *m_updater; }
    TKostenaufstellung& kostenaufstellung() const { return *m_kostenaufstellung; }

private:
    void connectHooks();

    THauptformular* m_hauptformular;       // 1 (owned; deletes the dialogs as its children)
    TAnsichtbeweglich* m_ansichtbeweglich; // 2
    TPfadangaben* m_pfadangaben;           // 3
    TImportedit* m_importedit;             // 4
    TInfo* m_info;                         // 5
    std::unique_ptr<DownloadCallbacks> m_downloadSettings;
    std::unique_ptr<MessageBoxPrompter> m_downloadPrompter;
    std::unique_ptr<PriceListUpdater> m_updater; // 6, 7: the connection-wait and progress windows
    TAnsichtinein* m_ansichtinein;               // 8
    TAnsichtnichtberechnet* m_ansichtnichtberechnet; // 9
    TPreislistenServer* m_preislistenServer;         // the price list server's dialog
    TKostenaufstellung* m_kostenaufstellung;         // 10
    TGrundriss* m_grundriss;                         // the plan of the building
    TAnsichtitem* m_ansichtitem;                     // any item of the plan
    TSpielansicht* m_spielansicht;                   // the building as the game draws it
    TAnsichtitem* m_ansichtentfernt; // an item of a comparison's old building, without "Hingehen"
};
