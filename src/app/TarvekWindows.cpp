#include "app/TarvekWindows.h"

#include "app/BillCommands.h"
#include "app/CompareCommand.h"
#include "app/HauptformularUi.h"
#include "app/OptionsFile.h"
#include "app/PlanLink.h"
#include "app/THauptformular.h"
#include "app/TInfo.h"
#include "app/TPfadangaben.h"
#include "app/TPreislistenServer.h"
#include "download/DownloadCallbacks.h"
#include "download/MessageBoxPrompter.h"
#include "download/PriceListUpdater.h"
#include "editor/TImportedit.h"
#include "gui/Dialogs.h"
#include "views/TAnsichtbeweglich.h"
#include "views/TAnsichtinein.h"
#include "views/TAnsichtitem.h"
#include "views/TAnsichtnichtberechnet.h"
#include "views/art/TUOArt.h"
#include "views/bill/TKostenaufstellung.h"
#include "views/compare/TVergleich.h"
#include "views/iso/TSpielansicht.h"
#include "views/lists/TResultList.h"
#include "views/plan/TGrundriss.h"

#include <QAction>
#include <QApplication>
#include <QPointer>

TarvekWindows::TarvekWindows(const QString& programDir)
    : m_hauptformular(new THauptformular(programDir)),
      m_ansichtbeweglich(new TAnsichtbeweglich(m_hauptformular)),
      m_pfadangaben(new TPfadangaben(m_hauptformular->options(), m_hauptformular)),
      m_importedit(new TImportedit(m_hauptformular)), m_info(new TInfo(m_hauptformular))
{
    THauptformular& main = *m_hauptformular;
    m_downloadSettings = std::make_unique<DownloadCallbacks>(
        [&main] { return main.options().get(Options::Server); }, main.files().priceListDir);
    m_downloadPrompter = std::make_unique<MessageBoxPrompter>(m_hauptformular);
    m_updater = std::make_unique<PriceListUpdater>(*m_downloadSettings, *m_downloadPrompter);
    m_ansichtinein = new TAnsichtinein(m_hauptformular);
    m_ansichtnichtberechnet = new TAnsichtnichtberechnet(m_hauptformular);
    m_preislistenServer = new TPreislistenServer(m_hauptformular->options(), m_hauptformular);
    m_kostenaufstellung = new TKostenaufstellung(m_hauptformular);
    m_grundriss = new TGrundriss(m_hauptformular);
    m_ansichtitem = new TAnsichtitem(m_hauptformular);
    m_spielansicht = new TSpielansicht(m_hauptformular);
    m_ansichtentfernt = new TAnsichtitem(m_hauptformular, {}, false);

    m_hauptformular->setDialogs(m_pfadangaben, m_importedit, m_info);
    connectHooks();
    PlanLink::connect(*m_hauptformular, *m_grundriss, *m_ansichtitem);
    PlanLink::connectGameView(*m_hauptformular, *m_grundriss, *m_spielansicht, *m_ansichtitem);
}

TarvekWindows::~TarvekWindows()
{
    // The updater's windows go first: they may refer to the main window's options.
    m_updater.reset();
    delete m_hauptformular;
}

void TarvekWindows::connectHooks()
{
    THauptformular::Hooks& hooks = m_hauptformular->hooks();
    hooks.anzeigenBeweglich = [this] {
        m_ansichtbeweglich->showSelected(*m_hauptformular->listBox(6));
    };
    hooks.anzeigenInein = [this] { m_ansichtinein->showSelected(*m_hauptformular->listBox(3)); };
    hooks.anzeigenNichtberechnet = [this] {
        m_ansichtnichtberechnet->showSelected(*m_hauptformular->listBox(5));
    };
    hooks.pruefedownload = [this] { m_updater->pruefedownload(); };
    hooks.useClientFolder = [](const QString& clientPath) { TUOArt::useClientFolder(clientPath); };

    // The price list server and the check on request.
    const HauptformularUi& ui = m_hauptformular->ui();
    QObject::connect(ui.preislistenServer1, &QAction::triggered, m_hauptformular,
                     [this] { m_preislistenServer->exec(); });
    QObject::connect(ui.preislisteSuchen1, &QAction::triggered, m_hauptformular, [this] {
        const PriceListUpdater::Outcome outcome = m_updater->pruefedownload();
        if (outcome == PriceListUpdater::Outcome::Downloaded) {
            m_hauptformular->priceListChanged();
        }
        const QString notice = PriceListUpdater::outcomeNotice(outcome);
        if (!notice.isEmpty()) {
            Dialogs::notice(m_hauptformular, notice);
        }
    });

    m_hauptformular->billCommands().setKostenaufstellung(m_kostenaufstellung);
    // An item of a comparison opens in the view of any item, with "Hingehen" unless it is one of
    // the old building only. Closed, the view gives the focus back to where it was.
    TVergleich* compare = &m_hauptformular->compareCommand().window();
    QObject::connect(compare, &TVergleich::itemOpened, m_hauptformular,
                     [this, compare](const QString& line, bool canGoTo) {
                         const QPointer<QWidget> back = QApplication::focusWidget();
                         (canGoTo ? m_ansichtitem : m_ansichtentfernt)->showLine(line);
                         compare->activateWindow();
                         if (back) {
                             back->setFocus();
                         }
                     });
}
