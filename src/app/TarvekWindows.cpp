#include "app/TarvekWindows.h"

#include "app/OptionsFile.h"
#include "app/THauptformular.h"
#include "app/TInfo.h"
#include "app/TPfadangaben.h"
#include "download/DownloadCallbacks.h"
#include "download/MessageBoxPrompter.h"
#include "download/PriceListUpdater.h"
#include "importfile/editor/TImportedit.h"
#include "views/TAnsichtbeweglich.h"
#include "views/TAnsichtinein.h"
#include "views/TAnsichtnichtberechnet.h"
#include "views/art/TUOArt.h"
#include "views/lists/TResultList.h"
#include "views/plan/TGrundriss.h"

TarvekWindows::TarvekWindows(const QString& programDir)
    : m_hauptformular(new THauptformular(programDir)),
      m_ansichtbeweglich(new TAnsichtbeweglich(m_hauptformular)),
      m_pfadangaben(new TPfadangaben(m_hauptformular->options(), m_hauptformular)),
      m_importedit(new TImportedit(m_hauptformular)), m_info(new TInfo(m_hauptformular))
{
    THauptformular& main = *m_hauptformular;
    m_downloadSettings = std::make_unique<DownloadCallbacks>(
        [&main](const QString& key) { return main.options().Optionenladen(key); },
        [&main](const QString& key, const QString& value) {
            main.options().Optionenspeichern(key, value);
        },
        main.ProgramDir());
    m_downloadPrompter = std::make_unique<MessageBoxPrompter>(m_hauptformular);
    m_updater = std::make_unique<PriceListUpdater>(*m_downloadSettings, *m_downloadPrompter);
    m_ansichtinein = new TAnsichtinein(m_hauptformular);
    m_ansichtnichtberechnet = new TAnsichtnichtberechnet(m_hauptformular);
    m_grundriss = new TGrundriss(m_hauptformular);

    m_hauptformular->setDialogs(m_pfadangaben, m_importedit, m_info);
    connectHooks();
    connectPlan();
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
}

void TarvekWindows::connectPlan()
{
    using tarvek::ResultList;
    using tarvek::plan::ListLine;
    THauptformular& main = *m_hauptformular;
    QObject::connect(&main, &THauptformular::planRequested, m_grundriss,
                     [this] { m_grundriss->showPlan(m_hauptformular->itemRecord()); });
    // The window shows a copy of one run; its lines belong to that run's lists.
    QObject::connect(&main, &THauptformular::planAvailable, m_grundriss, [this](bool available) {
        if (!available) {
            m_grundriss->hide();
        }
    });
    for (const ResultList list :
         {ResultList::Movable, ResultList::Nested, ResultList::NotCalculated}) {
        // A click on the line already selected marks it again (after another list's line).
        TResultList* box = main.listBox(int(list));
        QObject::connect(box, &QListWidget::currentRowChanged, m_grundriss, [this, list](int row) {
            m_grundriss->highlightLine({list, row});
        });
        QObject::connect(box, &QListWidget::clicked, m_grundriss,
                         [this, list](const QModelIndex& line) {
                             m_grundriss->highlightLine({list, line.row()});
                         });
    }
    const auto select = [this](const ListLine& line) {
        TResultList* box = m_hauptformular->listBox(int(line.list));
        box->setCurrentRow(line.row);
        box->scrollToItem(box->currentItem());
    };
    QObject::connect(m_grundriss, &TGrundriss::lineChosen, &main, select);
    QObject::connect(
        m_grundriss, &TGrundriss::lineOpened, &main, [this, select](const ListLine& line) {
            select(line);
            THauptformular::Hooks& hooks = m_hauptformular->hooks();
            const auto& open = line.list == ResultList::Movable  ? hooks.anzeigenBeweglich
                               : line.list == ResultList::Nested ? hooks.anzeigenInein
                                                                 : hooks.anzeigenNichtberechnet;
            if (open) {
                open();
            }
        });
}
