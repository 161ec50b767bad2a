#include "views/plan/TGrundriss.h"

#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"
#include "gui/Fonts.h"
#include "gui/VisibleText.h"
#include "views/plan/PlanPicture.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using tarvek::plan::ListLine;

namespace {

// The legend beside the map.
class Legend : public QWidget
{
public:
    explicit Legend(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Legende"));
        setAccessibleName(QStringLiteral("Legende der Farben"));
        setFixedSize(tarvek::plan::legendSize());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        tarvek::plan::paintLegend(painter, {0, 0});
    }
};

TGrundriss::ChosenFile chooseImageFile(QWidget* parent, const QString& folder)
{
    TGrundriss::ChosenFile chosen;
    // The dialog adds the chosen type's suffix to a name typed without one before it asks
    // whether to replace a file of that name. It starts beside the import file, never in the
    // folder the program was started from.
    chosen.path = Dialogs::saveFileName(
        parent, QStringLiteral("Grundriss als Bild speichern"),
        QDir(Dialogs::startFolder({folder})).filePath(QStringLiteral("Grundriss.png")),
        QLatin1String(TGrundriss::kPngFilter) + QStringLiteral(";;") +
            QLatin1String(TGrundriss::kPdfFilter),
        &chosen.filter);
    return chosen;
}

} // namespace

TGrundriss::TGrundriss(QWidget* parent)
    : QDialog(parent), m_chooseFile([this](QWidget* dialogParent) {
          return chooseImageFile(dialogParent, m_saveFolder);
      })
{
    setUpPictureWindow(this, "Grundriss", QStringLiteral("Grundriss"), QSize(720, 540));

    auto* const levelLabel = new QLabel(QStringLiteral("&Ebene:"), this);
    levelLabel->setObjectName(QStringLiteral("EbeneLabel"));
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("Ebene"));
    m_level->setAccessibleName(QStringLiteral("Ebene"));
    levelLabel->setBuddy(m_level);
    m_fit = makeCommandButton(this, "Einpassen", QStringLiteral("Einpassen"));
    m_save = makeCommandButton(this, "BildSpeichern", QStringLiteral("Als Bild speichern ..."));
    auto* const gameView =
        makeCommandButton(this, "AnsichtImSpiel", QStringLiteral("Ansicht wie im &Spiel"));
    m_view = new tarvek::plan::PlanView(this);

    auto* const tools = new QHBoxLayout;
    tools->addWidget(levelLabel);
    tools->addWidget(m_level);
    tools->addWidget(m_fit);
    tools->addWidget(m_save);
    tools->addWidget(gameView);
    tools->addStretch();
    auto* const side = new QVBoxLayout;
    side->addWidget(new Legend(this));
    side->addStretch();
    // Scroll bars show where the map is larger than its room.
    m_bars = {new QScrollBar(Qt::Horizontal, this), new QScrollBar(Qt::Vertical, this)};
    m_bars[0]->setObjectName(QStringLiteral("Waagerecht"));
    m_bars[0]->setAccessibleName(QStringLiteral("Grundriss waagerecht verschieben"));
    m_bars[1]->setObjectName(QStringLiteral("Senkrecht"));
    m_bars[1]->setAccessibleName(QStringLiteral("Grundriss senkrecht verschieben"));
    auto* const map = new QGridLayout;
    map->setSpacing(0);
    map->addWidget(m_view, 0, 0);
    map->addWidget(m_bars[1], 0, 1);
    map->addWidget(m_bars[0], 1, 0);
    for (QScrollBar* bar : m_bars) {
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this, bar](int position) {
            if (!m_followingView) {
                m_view->scrollTo(bar->orientation(), position);
            }
        });
    }
    connect(m_view, &tarvek::plan::PlanView::viewChanged, this, &TGrundriss::followView);
    auto* const middle = new QHBoxLayout;
    middle->addLayout(map, 1);
    middle->addLayout(side);
    auto* const whole = new QVBoxLayout(this);
    whole->addLayout(tools);
    whole->addLayout(middle, 1);
    m_status = makeStatusLine(this);
    whole->addWidget(m_status);

    connect(m_level, &QComboBox::currentIndexChanged, this, &TGrundriss::showLevel);
    connect(m_fit, &QPushButton::clicked, m_view, &tarvek::plan::PlanView::fit);
    connect(m_save, &QPushButton::clicked, this, &TGrundriss::BildSpeichernClick);
    connect(gameView, &QPushButton::clicked, this, &TGrundriss::gameViewRequested);
    connect(m_view, &tarvek::plan::PlanView::lineChosen, this, &TGrundriss::lineChosen);
    connect(m_view, &tarvek::plan::PlanView::lineOpened, this, &TGrundriss::lineOpened);
    connect(m_view, &tarvek::plan::PlanView::itemOpened, this, &TGrundriss::itemOpened);
}

void TGrundriss::showPlan(const tarvek::ItemRecord& record)
{
    m_record = record;
    const QSignalBlocker quiet(m_level);
    m_level->clear();
    m_level->addItem(QStringLiteral("Alle Ebenen"));
    for (const std::int32_t z : tarvek::plan::levelsOf(m_record.items())) {
        m_level->addItem(z == m_record.lowestLevel()
                             ? QStringLiteral("Z %1 (niedrigste Ebene)").arg(z)
                             : QStringLiteral("Z %1").arg(z),
                         z);
    }
    m_tiles = tarvek::plan::PlanTiles(m_record.items(), std::nullopt);
    m_view->setPlan(&m_record, &m_tiles);
    bringUp();
}

void TGrundriss::bringUp()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    m_view->setFocus(); // the arrow keys pan and + and - zoom at once
}

void TGrundriss::setPriceLookup(std::function<QString(std::int32_t)> lookup)
{
    m_view->setPriceLookup(std::move(lookup));
}

void TGrundriss::setFileChooser(std::function<ChosenFile(QWidget*)> chooser)
{
    m_chooseFile = std::move(chooser);
}

void TGrundriss::highlightLine(const ListLine& line)
{
    // A line whose items lie only on other levels shows the level of the first of them.
    if (const std::optional<std::int32_t> shown = level()) {
        std::optional<std::int32_t> first;
        bool onShown = false;
        for (const tarvek::RecordedItem& item : m_record.items()) {
            if (item.hasPosition && item.category() && tarvek::plan::itemHasLine(item, line)) {
                onShown = onShown || item.z == *shown;
                first = first.value_or(item.z);
            }
        }
        if (first && !onShown) {
            m_level->setCurrentIndex(m_level->findData(*first));
        }
    }
    m_view->highlight(line);
}

void TGrundriss::followView()
{
    // The bars' range runs over the map and whatever of the view lies beyond it.
    const QScopedValueRollback following(m_followingView, true);
    const QSizeF plan = m_view->planSize();
    const std::array<double, 2> length = {plan.width(), plan.height()};
    const std::array<double, 2> origin = {m_view->origin().x(), m_view->origin().y()};
    const std::array<int, 2> room = {m_view->width(), m_view->height()};
    for (std::size_t i = 0; i < m_bars.size(); ++i) {
        const int position = int(std::lround(-origin[i]));
        const int beyond = int(std::lround(length[i])) - room[i];
        m_bars[i]->setRange(std::min(0, position), std::max(beyond, position));
        m_bars[i]->setPageStep(room[i]);
        m_bars[i]->setSingleStep(std::max(1, room[i] / 20));
        m_bars[i]->setValue(position);
        m_bars[i]->setVisible(length[i] > room[i]);
    }
}

std::optional<std::int32_t> TGrundriss::level() const
{
    const QVariant z = m_level->currentData();
    return z.isValid() ? std::optional(std::int32_t(z.toInt())) : std::nullopt;
}

void TGrundriss::showLevel()
{
    m_tiles = tarvek::plan::PlanTiles(m_record.items(), level());
    m_view->setTiles(&m_tiles);
}

void TGrundriss::BildSpeichernClick()
{
    const ChosenFile chosen = m_chooseFile(this);
    if (chosen.path.isEmpty()) {
        return;
    }
    using Format = tarvek::plan::PlanPicture::Format;
    // A name ending in ".png" or ".pdf" decides the type, whatever the filter ("plan.pdf" typed
    // under the PNG filter is a PDF document). Any other name gets the filter's suffix, and then
    // a file of that name is replaced only when the user says so.
    QString path = chosen.path;
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool pdf = suffix == QLatin1String("pdf");
    if (!pdf && suffix != QLatin1String("png")) {
        pdf = chosen.filter == QLatin1String(kPdfFilter);
        path += pdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
        if (QFileInfo::exists(path) &&
            !Dialogs::ask(this,
                          QStringLiteral("Die Datei %1 existiert bereits. Soll sie ersetzt werden?")
                              .arg(shownPath(path)),
                          QStringLiteral("Grundriss als Bild speichern"))) {
            return;
        }
    }
    if (ErrorReport::guard(this, [&] {
            tarvek::plan::PlanPicture(m_record, m_tiles, m_level->currentText())
                .save(path, pdf ? Format::Pdf : Format::Png);
        })) {
        m_status->showMessage(QStringLiteral("Grundriss gespeichert: %1").arg(shownPath(path)),
                              StatusMessageMs);
    }
}
