#include "app/PlanLink.h"

#include "app/HauptformularUi.h"
#include "app/THauptformular.h"
#include "pricing/Breakdown.h"
#include "pricing/Money.h"
#include "views/ItemViewDialog.h"
#include "views/art/TUOArt.h"
#include "views/iso/TSpielansicht.h"
#include "views/lists/TResultList.h"
#include "views/plan/TGrundriss.h"

#include <QAction>
#include <QFileInfo>

namespace {

// The price of a priced graphic from the run's cost breakdown, for the tool tips; empty for any
// other.
QString priceText(const THauptformular& main, std::int32_t graphic)
{
    const tarvek::BreakdownRow* row = main.runState().breakdown.find(graphic);
    if (row == nullptr || row->status != tarvek::BreakdownStatus::Priced) {
        return QString();
    }
    const std::string price = tarvek::moneyText(row->price, main.separators().thousands);
    return row->kind == "t" || !row->pieces ? QString::fromStdString(price)
                                            : QStringLiteral("%1 je %2 Stück")
                                                  .arg(QString::fromStdString(price))
                                                  .arg(*row->pieces);
}

} // namespace

void PlanLink::connect(THauptformular& main, TGrundriss& plan, ItemViewDialog& placeView)
{
    using tarvek::ResultList;
    using tarvek::plan::ListLine;
    plan.setPriceLookup([&main](std::int32_t graphic) { return priceText(main, graphic); });
    // While open, the window shows this run already: it keeps its level, zoom and marks.
    QObject::connect(&main, &THauptformular::planRequested, &plan, [&main, &plan] {
        if (plan.isVisible()) {
            plan.bringUp();
        } else {
            plan.setSaveFolder(QFileInfo(main.ImportFileName()).absolutePath());
            plan.showPlan(main.itemRecord());
        }
    });
    // The window shows a copy of one run; its lines belong to that run's lists.
    QObject::connect(&main, &THauptformular::planAvailable, &plan, [&plan](bool available) {
        if (!available) {
            plan.hide();
        }
    });
    for (const ResultList list :
         {ResultList::Movable, ResultList::Nested, ResultList::NotCalculated}) {
        // A click on the line already selected marks it again (after another list's line).
        TResultList* box = main.listBox(int(list));
        QObject::connect(box, &QListWidget::currentRowChanged, &plan, [&plan, list](int row) {
            plan.highlightLine({list, row});
        });
        QObject::connect(box, &QListWidget::clicked, &plan, [&plan, list](const QModelIndex& line) {
            plan.highlightLine({list, line.row()});
        });
    }
    const auto select = [&main](const ListLine& line) {
        TResultList* box = main.listBox(int(line.list));
        box->setCurrentRow(line.row);
        box->scrollToItem(box->currentItem());
    };
    QObject::connect(&plan, &TGrundriss::lineChosen, &main, select);
    QObject::connect(&plan, &TGrundriss::lineOpened, &main, [&main, select](const ListLine& line) {
        select(line);
        THauptformular::Hooks& hooks = main.hooks();
        const auto& open = line.list == ResultList::Movable  ? hooks.anzeigenBeweglich
                           : line.list == ResultList::Nested ? hooks.anzeigenInein
                                                             : hooks.anzeigenNichtberechnet;
        if (open) {
            open();
        }
    });
    QObject::connect(&plan, &TGrundriss::itemOpened, &main,
                     [&placeView](const QString& line) { placeView.showLine(line); });
}

void PlanLink::connectGameView(THauptformular& main, TGrundriss& plan, TSpielansicht& gameView,
                               ItemViewDialog& placeView)
{
    gameView.setPriceLookup([&main](std::int32_t graphic) { return priceText(main, graphic); });
    const auto open = [&main, &gameView] {
        gameView.setSaveFolder(QFileInfo(main.ImportFileName()).absolutePath());
        gameView.showBuilding(main.itemRecord(), TUOArt::sharedArtSource());
    };
    QObject::connect(main.ui().ansichtImSpiel1, &QAction::triggered, &gameView, open);
    QObject::connect(&plan, &TGrundriss::gameViewRequested, &gameView, open);
    QObject::connect(&main, &THauptformular::planAvailable, &gameView, [&gameView](bool available) {
        if (!available) {
            gameView.hide();
        }
    });
    QObject::connect(&gameView, &TSpielansicht::itemOpened, &main,
                     [&placeView](const QString& line) { placeView.showLine(line); });
}
