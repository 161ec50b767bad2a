#include "views/iso/TSpielansicht.h"

#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"
#include "gui/VisibleText.h"
#include "views/art/ClientFiles.h"
#include "views/iso/IsoView.h"
#include "views/iso/PictureCache.h"
#include "views/iso/ViewExport.h"
#include "views/plan/PlanPicture.h"
#include "views/plan/PlanTiles.h"
#include "views/plan/PlanView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

using tarvek::ItemCategory;

namespace {

QString chooseImageFile(QWidget* parent, const QString& folder)
{
    return Dialogs::saveFileName(
        parent, QStringLiteral("Ansicht als Bild speichern"),
        QDir(Dialogs::startFolder({folder})).filePath(QStringLiteral("Ansicht.png")),
        QStringLiteral("PNG-Bild (*.png)"));
}

// A check box of the legend: a swatch of the finding's colour and its name.
QCheckBox* outlineBox(QWidget* parent, ItemCategory finding, int number)
{
    const QString label = tarvek::plan::categoryLabel(finding);
    auto* box = new QCheckBox(label, parent);
    box->setObjectName(QStringLiteral("Umriss%1").arg(number));
    box->setAccessibleName(QStringLiteral("Umriss: ") + label);
    QPixmap swatch(12, 12);
    swatch.fill(tarvek::plan::categoryColour(finding));
    box->setIcon(QIcon(swatch));
    box->setChecked(true);
    return box;
}

} // namespace

TSpielansicht::TSpielansicht(QWidget* parent)
    : QDialog(parent), m_chooseFile([this](QWidget* dialogParent) {
          return chooseImageFile(dialogParent, m_saveFolder);
      })
{
    setUpPictureWindow(this, "Spielansicht", QStringLiteral("Ansicht wie im Spiel"),
                       QSize(800, 600));

    m_problem = named(new QLabel(this), "Hinweiszeile", QStringLiteral("Hinweis"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    m_problem->hide();
    m_level = named(new QComboBox(this), "Ebene", QStringLiteral("Höchste gezeigte Ebene"));
    auto* const levelLabel =
        makeBuddyLabel(this, "EbeneLabel", QStringLiteral("Bis &Ebene:"), m_level);
    auto* const fit = makeCommandButton(this, "Einpassen", QStringLiteral("Ein&passen"));
    auto* const save =
        makeCommandButton(this, "BildSpeichern", QStringLiteral("Als &Bild speichern ..."));
    m_view = new tarvek::iso::IsoView(this);

    auto* const tools = new QHBoxLayout;
    tools->addWidget(levelLabel);
    tools->addWidget(m_level);
    tools->addWidget(fit);
    tools->addWidget(save);
    tools->addStretch();
    auto* const legend = new QVBoxLayout;
    legend->addWidget(new QLabel(QStringLiteral("Umrissen:"), this));
    int number = 1;
    for (const ItemCategory finding : tarvek::iso::kFindings) {
        QCheckBox* box = outlineBox(this, finding, number++);
        m_outlines[finding] = box;
        legend->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &TSpielansicht::filterChanged);
    }
    legend->addStretch();
    auto* const middle = new QHBoxLayout;
    middle->addWidget(m_view, 1);
    middle->addLayout(legend);
    auto* const whole = new QVBoxLayout(this);
    whole->addWidget(m_problem);
    whole->addLayout(tools);
    whole->addLayout(middle, 1);
    m_status = makeStatusLine(this);
    whole->addWidget(m_status);

    connect(m_level, &QComboBox::currentIndexChanged, this, &TSpielansicht::filterChanged);
    connect(fit, &QPushButton::clicked, m_view, &tarvek::iso::IsoView::fit);
    connect(save, &QPushButton::clicked, this, &TSpielansicht::BildSpeichernClick);
    connect(m_view, &tarvek::iso::IsoView::itemClicked, this, [this](std::uint32_t item) {
        emit itemOpened(tarvek::plan::itemLine(m_record.items()[item]));
    });
}

TSpielansicht::~TSpielansicht() = default;

QString TSpielansicht::problemText(const tarvek::iso::PictureCache& pictures,
                                   const tarvek::iso::IsoScene& scene)
{
    const tarvek::art::ClientFiles& files = *pictures.files();
    QStringList problems;
    if (!files.drawable()) {
        problems << QString::fromStdString(files.problem()) +
                        QStringLiteral(": die Items werden als Rauten gezeigt.");
    } else if (!files.colourProblem().empty()) {
        problems << QString::fromStdString(files.colourProblem()) +
                        QStringLiteral(": die Items werden ohne ihre Farben gezeigt.");
    }
    if (!problems.isEmpty()) {
        problems << QStringLiteral("Den Client-Ordner (\"Clientpfad\") stellt %1 ein.")
                        .arg(QLatin1String(kWhereSet));
    }
    if (scene.leftOut() > 0) {
        problems << QStringLiteral("%1 Items liegen zu weit entfernt und werden nicht gezeigt.")
                        .arg(scene.leftOut());
    }
    return visibleText(problems.join(u' '));
}

void TSpielansicht::showBuilding(const tarvek::ItemRecord& record,
                                 std::shared_ptr<const tarvek::art::ArtSource> art)
{
    m_record = record;
    tarvek::iso::PictureCache& pictures = m_pictures.of(std::move(art));
    m_scene = tarvek::iso::IsoScene(m_record.items(), pictures);

    const QString problems = problemText(pictures, m_scene);
    m_problem->setText(problems);
    m_problem->setVisible(!problems.isEmpty());

    const QSignalBlocker quiet(m_level);
    m_level->clear();
    m_level->addItem(QStringLiteral("Alle Ebenen"));
    for (const std::int32_t z : tarvek::plan::levelsOf(m_record.items())) {
        m_level->addItem(QStringLiteral("Z %1").arg(z), z);
    }
    m_view->setScene(&m_scene, &m_record.items());
    filterChanged();
    m_view->fit();
    bringUp();
}

void TSpielansicht::bringUp()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    m_view->setFocus();
}

void TSpielansicht::setPriceLookup(std::function<QString(std::int32_t)> lookup)
{
    m_view->setPriceLookup(std::move(lookup));
}

void TSpielansicht::setFileChooser(std::function<QString(QWidget*)> chooser)
{
    m_chooseFile = std::move(chooser);
}

void TSpielansicht::filterChanged()
{
    tarvek::iso::SceneFilter filter;
    const QVariant z = m_level->currentData();
    if (z.isValid()) {
        filter.highestLevel = z.toInt();
    }
    for (const auto& [finding, box] : m_outlines) {
        filter.outlined[static_cast<std::size_t>(finding)] = box->isChecked();
    }
    m_view->setFilter(filter);
}

void TSpielansicht::BildSpeichernClick()
{
    const QString path = m_chooseFile(this);
    if (path.isEmpty()) {
        return;
    }
    if (ErrorReport::guard(this, [&] { saveViewPng(m_scene, path); })) {
        m_status->showMessage(QStringLiteral("Ansicht gespeichert: %1").arg(shownPath(path)),
                              StatusMessageMs);
    }
}
