#include "views/compare/TVergleich.h"

#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/FileNameText.h"
#include "gui/PagedDocument.h"
#include "gui/VisibleText.h"
#include "views/compare/CompareDocument.h"
#include "views/compare/ComparePlan.h"
#include "views/iso/IsoView.h"
#include "views/iso/PictureCache.h"
#include "views/iso/TSpielansicht.h"
#include "views/plan/PlanPicture.h"
#include "views/plan/PlanView.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using tarvek::compare::PlanMode;

namespace {

QTreeWidget* itemTree(QWidget* parent, const char* name, const QString& caption)
{
    auto* tree = named(new QTreeWidget(parent), name, caption);
    tree->setHeaderLabels({QStringLiteral("Grafik"), QStringLiteral("Position"),
                           QStringLiteral("Alt"), QStringLiteral("Neu")});
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    return tree;
}

// The legend of a mode of the plan: a square of each colour with its name.
QString legendText(PlanMode mode)
{
    const tarvek::plan::PlanLook look =
        (mode == PlanMode::Differences ? tarvek::compare::differenceLook()
                                       : tarvek::plan::PlanLook())
            .complete();
    QString legend;
    for (const tarvek::ItemCategory category : look.legend) {
        legend += QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2&nbsp;&nbsp; ")
                      .arg(look.colour(category).name(), look.label(category).toHtmlEscaped());
    }
    return legend;
}

// The tiles of the added and removed items of a plan of the differences, with a margin of a
// few tiles around them; nothing when nothing changed.
std::optional<QRect> changedTiles(const tarvek::ItemRecord& record)
{
    constexpr int kAround = 4;
    std::optional<QRect> changed;
    for (const tarvek::RecordedItem& item : record.items()) {
        const std::optional<tarvek::ItemCategory> category = item.category();
        if (!item.hasPosition || (category != tarvek::ItemCategory::NotImportable &&
                                  category != tarvek::ItemCategory::Spawn)) {
            continue;
        }
        const QRect tile(item.x - kAround, item.y - kAround, 2 * kAround + 1, 2 * kAround + 1);
        changed = changed ? changed->united(tile) : tile;
    }
    // Never beyond the plan: a small building shows whole.
    const QRect plan(QPoint(record.minX(), record.minY()), QPoint(record.maxX(), record.maxY()));
    return changed ? std::optional<QRect>(changed->intersected(plan)) : std::nullopt;
}

} // namespace

TVergleich::TVergleich(QWidget* parent) : QDialog(parent)
{
    setUpSizableDialog(this, "Vergleich", QStringLiteral("Vergleich"), {780, 580});

    m_files = makeTextLabel(this, "Dateien1", QStringLiteral("Verglichene Dateien"));
    m_pages = named(new QStackedWidget(this), "Inhalt1", QStringLiteral("Inhalt des Vergleichs"));
    m_refusal = makeTextLabel(m_pages, "Grund1", QStringLiteral("Warum nicht verglichen"));
    m_refusal->setWordWrap(true);
    m_refusal->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_tabs = named(new QTabWidget(m_pages), "Seiten1", QStringLiteral("Teile des Vergleichs"));
    m_tabs->addTab(buildOverview(), QStringLiteral("Ü&bersicht"));
    m_tabs->addTab(buildItems(), QStringLiteral("&Items"));
    m_findings = named(new QTreeWidget(m_tabs), "Befunde1", QStringLiteral("Befunde"));
    m_findings->setHeaderHidden(true);
    m_tabs->addTab(m_findings, QStringLiteral("Be&funde"));
    m_tabs->addTab(buildPlan(), QStringLiteral("&Grundriss"));
    m_tabs->addTab(buildGameView(), QStringLiteral("Ansicht wie im Spi&el"));
    m_pages->addWidget(m_refusal);
    m_pages->addWidget(m_tabs);

    m_save = makeCommandButton(this, "BitBtn1", QStringLiteral("Vergleich &speichern ..."));
    m_copy = makeCommandButton(this, "BitBtn2", QStringLiteral("Vergleich &kopieren"));
    m_close = makeCommandButton(this, "BitBtn3", QStringLiteral("S&chließen"));
    m_status = makeStatusLine(this);
    connect(m_save, &QPushButton::clicked, this, &TVergleich::SpeichernClick);
    connect(m_copy, &QPushButton::clicked, this, &TVergleich::KopierenClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_copy);
    buttons->addStretch(1);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_files);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_status);
}

TVergleich::~TVergleich() = default;

QWidget* TVergleich::buildGameView()
{
    m_gamePage = new QWidget(m_tabs);
    m_gameProblem = named(new QLabel(m_gamePage), "Hinweiszeile1", QStringLiteral("Hinweis"));
    m_gameProblem->setTextFormat(Qt::PlainText);
    m_gameProblem->setWordWrap(true);
    m_gameProblem->hide();
    auto* legend = named(new QLabel(legendText(PlanMode::Differences) +
                                        QStringLiteral("(entfernte Items nur als Umriss)"),
                                    m_gamePage),
                         "Legende2", QStringLiteral("Legende der Ansicht"));
    legend->setTextFormat(Qt::RichText);
    legend->setWordWrap(true);
    m_gameView = named(new tarvek::iso::IsoView(m_gamePage), "Spielansicht1",
                       QStringLiteral("Unterschiede wie im Spiel"));
    connect(m_gameView, &tarvek::iso::IsoView::itemClicked, this, [this](std::uint32_t item) {
        const tarvek::RecordedItem& clicked = m_gameRecord.items()[item];
        emit itemOpened(tarvek::plan::itemLine(clicked),
                        !clicked.has(tarvek::compare::kRemovedCategory));
    });
    auto* layout = new QVBoxLayout(m_gamePage);
    layout->addWidget(m_gameProblem);
    layout->addWidget(legend);
    layout->addWidget(m_gameView, 1);
    connect(m_tabs, &QTabWidget::currentChanged, this, &TVergleich::showGameView);
    return m_gamePage;
}

void TVergleich::showGameView()
{
    if (m_tabs->currentWidget() != m_gamePage || m_gameDrawn || !m_comparison.result) {
        return;
    }
    m_gameDrawn = true;
    m_gameView->setScene(nullptr, nullptr);
    tarvek::iso::PictureCache& pictures = m_pictures.of(m_artSource ? m_artSource() : nullptr);
    m_gameRecord = tarvek::compare::planRecord(*m_comparison.oldRun, *m_comparison.newRun,
                                               PlanMode::Differences);
    m_gameScene =
        tarvek::iso::IsoScene(m_gameRecord.items(), pictures,
                              {[](tarvek::ItemCategory category) {
                                   return tarvek::compare::differenceColour(category).rgb();
                               },
                               tarvek::compare::kRemovedCategory});
    const QString problems = TSpielansicht::problemText(pictures, m_gameScene);
    m_gameProblem->setText(problems);
    m_gameProblem->setVisible(!problems.isEmpty());
    m_gameView->setScene(&m_gameScene, &m_gameRecord.items());
    m_gameView->setFocus();
}

QWidget* TVergleich::buildOverview()
{
    m_figures = named(new QTableWidget(0, 4, m_tabs), "Kennzahlen1",
                      QStringLiteral("Kennzahlen alt, neu und Differenz"));
    m_figures->setHorizontalHeaderLabels({QStringLiteral("Kennzahl"), QStringLiteral("Alt"),
                                          QStringLiteral("Neu"), QStringLiteral("Differenz")});
    m_figures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_figures->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_figures->verticalHeader()->hide();
    m_figures->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    return m_figures;
}

QWidget* TVergleich::buildItems()
{
    auto* page = new QWidget(m_tabs);
    m_added = itemTree(page, "Hinzugekommen1", QStringLiteral("Hinzugekommene Items"));
    m_removed = itemTree(page, "Entfernt1", QStringLiteral("Entfernte Items"));
    // A double-click or Return: an added item from the new file, with "Hingehen"; a removed one
    // from the old file, without (where it was, it is no more).
    connect(m_added, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { openItem(m_added->indexOfTopLevelItem(item), true); });
    connect(m_removed, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        openItem(m_removed->indexOfTopLevelItem(item), false);
    });
    auto* addedLabel = makeBuddyLabel(page, "HinzugekommenLabel1",
                                      QStringLiteral("&Hinzugekommene Items:"), m_added);
    auto* removedLabel =
        makeBuddyLabel(page, "EntferntLabel1", QStringLiteral("&Entfernte Items:"), m_removed);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(addedLabel);
    layout->addWidget(m_added, 1);
    layout->addWidget(removedLabel);
    layout->addWidget(m_removed, 1);
    return page;
}

QWidget* TVergleich::buildPlan()
{
    auto* page = new QWidget(m_tabs);
    m_planMode = named(new QComboBox(page), "Ansicht1", QStringLiteral("Ansicht des Grundrisses"));
    m_planMode->addItems({QStringLiteral("Unterschiede"), QStringLiteral("Alter Grundriss"),
                          QStringLiteral("Neuer Grundriss")});
    auto* modeLabel =
        makeBuddyLabel(page, "AnsichtLabel1", QStringLiteral("&Ansicht:"), m_planMode);
    m_legend = named(new QLabel(legendText(PlanMode::Differences), page), "Legende1",
                     QStringLiteral("Legende"));
    m_legend->setTextFormat(Qt::RichText);
    m_legend->setWordWrap(true);
    connect(m_planMode, &QComboBox::currentIndexChanged, this, &TVergleich::showPlan);
    m_plan = named(new tarvek::plan::PlanView(page), "Grundriss1",
                   QStringLiteral("Grundriss des Vergleichs"));
    // An item of the old building is where it no longer may be.
    connect(m_plan, &tarvek::plan::PlanView::itemOpened, this, [this](const QString& line) {
        emit itemOpened(line, static_cast<PlanMode>(m_planMode->currentIndex()) != PlanMode::Old);
    });
    // The plan takes the keys (+, -, Home, the arrows) as soon as its page is shown.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this, page](int index) {
        if (m_tabs->widget(index) == page) {
            m_plan->setFocus();
        }
    });
    auto* top = new QHBoxLayout;
    top->addWidget(modeLabel);
    top->addWidget(m_planMode);
    top->addWidget(m_legend, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(m_plan, 1);
    return page;
}

void TVergleich::showComparison(const QString& oldFile, const QString& newFile,
                                tarvek::FileComparison comparison)
{
    m_comparison = std::move(comparison);
    m_oldFile = oldFile;
    m_newFile = newFile;
    m_files->setText(
        QStringLiteral("Alt: %1\nNeu: %2").arg(shownPath(oldFile), shownPath(newFile)));
    const bool compared = m_comparison.result.has_value();
    // One line for each file that has no bill; each line shown as its file's text may be.
    QStringList reasons = QString::fromUtf8(m_comparison.refusal).split(u'\n', Qt::SkipEmptyParts);
    for (QString& reason : reasons) {
        reason = visibleText(reason);
    }
    m_refusal->setText(reasons.join(u'\n'));
    m_pages->setCurrentIndex(compared ? 1 : 0);
    m_save->setEnabled(compared);
    m_copy->setEnabled(compared);
    if (compared) {
        fillFigures(*m_comparison.result);
        fillItems(*m_comparison.result);
        fillFindings(*m_comparison.result);
        m_gameDrawn = false;
        // Choosing the combined plan draws it; when it is chosen already, it is drawn here.
        if (m_planMode->currentIndex() == 0) {
            showPlan();
        } else {
            m_planMode->setCurrentIndex(0);
        }
        m_tabs->setCurrentIndex(0);
    }
    m_status->clearMessage();
    show();
    raise();
    activateWindow();
    (compared ? static_cast<QWidget*>(m_figures) : m_close)->setFocus();
}

void TVergleich::fillFigures(const tarvek::Comparison& comparison)
{
    m_figures->setRowCount(int(comparison.figures.size()));
    for (int r = 0; r < m_figures->rowCount(); ++r) {
        const tarvek::FigureRow& row = comparison.figures[std::size_t(r)];
        const auto cells = tarvek::figureCells(row, comparison.thousands);
        for (int c = 0; c < 4; ++c) {
            QString text = QString::fromStdString(cells[std::size_t(c)]);
            // A limit row compares the figure with each limit on its own; the run's own warning
            // follows its rule and stands under "Befunde".
            const bool limit = row.kind == tarvek::FigureRow::Kind::Exceeded;
            if (limit && c == 0) {
                text += QStringLiteral(" (Grenze für sich)");
            }
            auto* cell = new QTableWidgetItem(text);
            if (limit) {
                cell->setToolTip(QStringLiteral("Jede Grenze für sich verglichen. Welche Warnung "
                                                "die Berechnung schreibt, steht unter "
                                                "„Befunde“, „Unbedingt prüfen“."));
            }
            cell->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            // What changed stands out.
            QFont font = cell->font();
            font.setBold(row.difference() != 0);
            cell->setFont(font);
            m_figures->setItem(r, c, cell);
        }
    }
    m_figures->resizeColumnsToContents();
    // It opens at its first figure, "Anzahl Items".
    m_figures->setCurrentCell(0, 0);
    m_figures->scrollToTop();
}

void TVergleich::fillItems(const tarvek::Comparison& comparison)
{
    for (const auto& [tree, changes] :
         {std::pair{m_added, &comparison.added}, std::pair{m_removed, &comparison.removed}}) {
        tree->clear();
        QList<QTreeWidgetItem*> rows;
        rows.reserve(qsizetype(changes->size()));
        for (const tarvek::ItemChange& change : *changes) {
            rows.append(new QTreeWidgetItem(
                {QString::number(change.key.graphic),
                 QString::fromStdString(tarvek::positionText(change.key)),
                 QString::number(change.oldCount), QString::number(change.newCount)}));
        }
        tree->addTopLevelItems(rows);
        tree->setCurrentItem(tree->topLevelItem(0));
    }
}

void TVergleich::fillFindings(const tarvek::Comparison& comparison)
{
    m_findings->clear();
    for (std::size_t i = 0; i < tarvek::kFindingLists.size(); ++i) {
        const tarvek::FindingChanges& changes = comparison.findings[i];
        auto* list = new QTreeWidgetItem(
            m_findings, {QString::fromUtf8(tarvek::listCaption(tarvek::kFindingLists[i]))});
        if (changes.resolved.empty() && changes.added.empty()) {
            new QTreeWidgetItem(list, {QStringLiteral("unverändert")});
        }
        for (const std::string& line : changes.resolved) {
            new QTreeWidgetItem(list, {QStringLiteral("behoben: ") + QString::fromUtf8(line)});
        }
        for (const std::string& line : changes.added) {
            new QTreeWidgetItem(list, {QStringLiteral("neu: ") + QString::fromUtf8(line)});
        }
    }
    m_findings->expandAll();
}

void TVergleich::showPlan()
{
    if (!m_comparison.result) {
        return;
    }
    const auto mode = static_cast<PlanMode>(m_planMode->currentIndex());
    m_legend->setText(legendText(mode));
    m_plan->setPlan(nullptr, nullptr);
    m_planRecord = tarvek::compare::planRecord(*m_comparison.oldRun, *m_comparison.newRun, mode);
    m_planTiles = tarvek::plan::PlanTiles(m_planRecord.items(), std::nullopt);
    if (mode == PlanMode::Differences) {
        m_plan->setCategoryLook(tarvek::compare::differenceColour,
                                tarvek::compare::differenceLabel);
    } else {
        m_plan->setCategoryLook({}, {});
    }
    m_plan->setPlan(&m_planRecord, &m_planTiles);
    // The differences open at what changed, large enough to see a single item.
    const std::optional<QRect> changed =
        mode == PlanMode::Differences ? changedTiles(m_planRecord) : std::nullopt;
    if (changed) {
        m_plan->zoomTo(*changed);
    } else {
        m_plan->fit();
    }
}

void TVergleich::openItem(int row, bool added)
{
    if (!m_comparison.result) {
        return;
    }
    const auto& changes = added ? m_comparison.result->added : m_comparison.result->removed;
    if (row < 0 || std::size_t(row) >= changes.size()) {
        return;
    }
    const std::uint32_t line = changes[std::size_t(row)].line;
    const auto& items = (added ? m_comparison.newRun : m_comparison.oldRun)->items.items();
    const auto item = std::lower_bound(
        items.begin(), items.end(), line,
        [](const tarvek::RecordedItem& each, std::uint32_t at) { return each.line < at; });
    if (item != items.end() && item->line == line) {
        emit itemOpened(tarvek::plan::itemLine(*item), added);
    }
}

void TVergleich::SpeichernClick()
{
    if (!m_comparison.result) {
        return;
    }
    const QFileInfo newer(m_newFile);
    const QString path = Dialogs::saveFileName(
        this, QStringLiteral("Vergleich speichern"),
        newer.absoluteDir().filePath(newer.completeBaseName() + QStringLiteral("-Vergleich.pdf")),
        QStringLiteral("PDF-Dokumente (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    try {
        CompareDocument(m_oldFile, m_newFile, *m_comparison.result, m_comparison.oldRun.get(),
                        m_comparison.newRun.get())
            .writePdf(path);
    } catch (const std::exception& e) {
        Dialogs::error(this, QString::fromUtf8(e.what()));
        return;
    }
    say(QStringLiteral("Der Vergleich ist gespeichert: ") + shownPath(path));
}

void TVergleich::KopierenClick()
{
    if (!m_comparison.result) {
        return;
    }
    const CompareDocument document(m_oldFile, m_newFile, *m_comparison.result);
    putOnClipboard(document.plainText(), document.html());
    say(QStringLiteral("Der Vergleich ist in der Zwischenablage."));
}

void TVergleich::say(const QString& text)
{
    m_status->showMessage(text, StatusMessageMs);
    emit said();
}
