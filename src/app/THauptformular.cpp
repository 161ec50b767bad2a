#include "app/THauptformular.h"

#include "app/BillCommands.h"
#include "app/CleanCommand.h"
#include "app/CompareCommand.h"
#include "app/TInfo.h"
#include "app/TPfadangaben.h"
#include "app/WindowPlace.h"
#include "base/Version.h"
#include "calc/CalculationRun.h"
#include "editor/TImportedit.h"
#include "gui/ControlLock.h"
#include "gui/Dialogs.h"
#include "gui/ElidedLabel.h"
#include "gui/ErrorReport.h"
#include "gui/FileNameText.h"
#include "gui/Fonts.h"
#include "gui/VisibleText.h"
#include "importfile/ImportFormat.h"
#include "importfile/ImportLines.h"
#include "views/art/TUOArt.h"
#include "views/batch/TStapelpruefung.h"
#include "views/lists/TResultList.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

#include <array>
#include <stdexcept>
#include <utility>

namespace {

const QString FileGone = QStringLiteral("Die Importdatei ist nicht mehr vorhanden (eventuell im "
                                        "laufenden Tarvek umbenannt)! Datei bitte neu laden.");

} // namespace

THauptformular::THauptformular(const QString& programDir)
    : m_files(programDir.isEmpty() ? FileLocations::ofProgram()
                                   : FileLocations::inFolder(programDir)),
      m_options(OptionsFile::atPath(m_files.optionsFile)), m_priceListImport(m_files.priceListDir),
      m_ui(this), m_separators(tarvek::systemLocaleSeparators()),
      m_run(this, [this] { runCalculation(); }),
      m_view(this, m_ui, m_run,
             {.afterReset =
                  [this] {
                      m_billState.listEmptied();
                      setPlanAvailable(false);
                  },
              .afterSwitch =
                  [this](bool idle) {
                      m_billState.followRun(); // what a run that ends has reached
                      m_billCommands->setIdle(idle);
                      m_closeAllowed = idle;
                  }})
{
    setObjectName(QStringLiteral("Hauptformular"));
    setWindowTitle(QStringLiteral("Tarvek " TARVEK_VERSION " Tarvekrechner"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(Fonts::sansSerif(11));
    // The described size is the smallest; the window grows from it (HauptformularUi::stretch).
    setMinimumSize(minimumSizeHint());
    resize(minimumSize());

    m_view.setStartColour(tarvek::kColourGreen);
    setAcceptDrops(true);
    m_billCommands =
        std::make_unique<BillCommands>(BillCommands::Context{.window = this,
                                                             .ui = m_ui,
                                                             .view = m_view,
                                                             .state = m_runState,
                                                             .bill = m_billState,
                                                             .clock = m_clock,
                                                             .separators = m_separators,
                                                             .importFile = m_importFileName});
    m_cleanCommand = std::make_unique<CleanCommand>(CleanCommand::Context{
        .window = this,
        .action = m_ui.bereinigen1,
        .importFile = m_importFileName,
        .record = m_itemRecord,
        .bill = m_billState,
        .loadAndRun = [this](const QString& fileName) { loadAndRun(fileName, true); }});
    m_compareCommand = std::make_unique<CompareCommand>(
        CompareCommand::Context{.window = this,
                                .importFile = m_importFileName,
                                .priceListDir = m_files.priceListDir,
                                .fees = [this] { return m_view.feeChoice(); },
                                .status = m_ui.statusBar1});
    connectHandlers();
}

THauptformular::~THauptformular() = default;

void THauptformular::setDialogs(TPfadangaben* pfadangaben, TImportedit* importedit, TInfo* info)
{
    m_pfadangaben = pfadangaben;
    m_importedit = importedit;
    m_info = info;
    connect(m_importedit, &TImportedit::saved, this, &THauptformular::importSaved);
}

void THauptformular::connectHandlers()
{
    // Every handler runs under the general error report.
    const auto bind = [this](auto handler) {
        return
            [this, handler] { ErrorReport::guard(this, [this, handler] { (this->*handler)(); }); };
    };
    connect(m_ui.bitBtn1, &QPushButton::clicked, this, bind(&THauptformular::BitBtn1Click));
    connect(m_ui.bitBtn2, &QPushButton::clicked, this, bind(&THauptformular::BitBtn2Click));
    connect(m_ui.bitBtn6, &QPushButton::clicked, this, bind(&THauptformular::BitBtn6Click));
    // The boxes ask for a new bill whenever their state changes, by a click or by the load.
    connect(m_ui.checkBox1, &QCheckBox::toggled, this, bind(&THauptformular::CheckBoxClick));
    connect(m_ui.checkBox2, &QCheckBox::toggled, this, bind(&THauptformular::CheckBoxClick));
    connect(m_ui.ansehen1, &QAction::triggered, this, bind(&THauptformular::Ansehen1Click));
    connect(m_ui.toolButton2, &QToolButton::clicked, this, bind(&THauptformular::Ansehen1Click));
    connect(m_ui.pfadangaben1, &QAction::triggered, this, bind(&THauptformular::Pfadangaben1Click));
    connect(m_ui.toolButton1, &QToolButton::clicked, this,
            bind(&THauptformular::Pfadangaben1Click));
    connect(m_ui.clientVerzeichnis1, &QAction::triggered, this,
            bind(&THauptformular::ClientVerzeichnis1Click));
    connect(m_ui.downloadaktiv1, &QAction::triggered, this,
            bind(&THauptformular::Downloadaktiv1Click));
    connect(m_ui.preislisteEinlesen1, &QAction::triggered, this, [this] {
        if (m_priceListImport.PreislisteEinlesen1Click(this)) {
            priceListChanged();
        }
    });
    connect(m_ui.info1, &QAction::triggered, this, bind(&THauptformular::Info1Click));
    connect(m_ui.beenden1, &QAction::triggered, this, bind(&THauptformular::Beenden1Click));
    connect(m_ui.toolButton5, &QToolButton::clicked, this, bind(&THauptformular::Beenden1Click));
    connect(m_ui.bitBtn7, &QPushButton::clicked, this,
            [this] { runHook(m_hooks.anzeigenBeweglich); });
    connect(m_ui.bitBtn3, &QPushButton::clicked, this, [this] { runHook(m_hooks.anzeigenInein); });
    connect(m_ui.bitBtn4, &QPushButton::clicked, this,
            [this] { runHook(m_hooks.anzeigenNichtberechnet); });
    // Return or a double-click on a line shows it, as the list's "Anzeigen" does.
    const std::array<std::pair<int, QPushButton*>, 3> shown = {
        {{6, m_ui.bitBtn7}, {3, m_ui.bitBtn3}, {5, m_ui.bitBtn4}}};
    for (const auto& [number, show] : shown) {
        connect(listBox(number), &QListWidget::activated, show, &QPushButton::click);
    }
    connect(m_ui.importfileLaden1, &QAction::triggered, m_ui.bitBtn1, &QPushButton::click);
    connect(m_ui.berechnungStarten1, &QAction::triggered, this, [this] {
        if (!RunActive()) {
            m_ui.bitBtn2->click();
        }
    });
    connect(m_ui.grundriss1, &QAction::triggered, this, &THauptformular::planRequested);
    connect(m_ui.stapelpruefung1, &QAction::triggered, this,
            bind(&THauptformular::Stapelpruefung1Click));
    connect(m_ui.bereinigen1, &QAction::triggered, this, bind(&THauptformular::Bereinigen1Click));
    connect(m_ui.vergleichen1, &QAction::triggered, this, bind(&THauptformular::Vergleichen1Click));
    // "Bereinigen" follows the run that the lists show.
    connect(this, &THauptformular::planAvailable, this,
            [this](bool complete) { m_cleanCommand->setRunComplete(complete); });
    connect(m_ui.importdatei1->menu(), &QMenu::aboutToShow, this,
            [this] { m_cleanCommand->update(); });
    connect(m_ui.toolButton6, &QToolButton::clicked, this, &THauptformular::planRequested);
}

void THauptformular::runHook(const std::function<void()>& hook)
{
    if (hook) {
        ErrorReport::guard(this, hook);
    }
}

QString THauptformular::statusText() const
{
    return m_ui.statusPanel->fullText();
}

// --- start and close ---------------------------------------------------------------------------

void THauptformular::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    WindowPlace::restore(*this, m_options);
    // The start-up runs once the window system shows the window. The price list check lets Qt
    // process events; processed before that, they leave the window at the window system's first
    // size (640 x 480 under X without a window manager), without its lower part.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void THauptformular::FormShow()
{
    // When the options cannot be read, the error is shown and the window still works and closes.
    ErrorReport::guard(this, [this] {
        const QString folder = m_options.get(Options::Importpfad);
        if (m_pfadangaben) {
            m_pfadangaben->setImportFolder(folder);
        }
        m_ui.downloadaktiv1->setChecked(m_options.get(Options::Download));
        if (m_hooks.useClientFolder) {
            m_hooks.useClientFolder(m_options.get(Options::Clientpfad));
        }
    });
    ErrorReport::guard(this, [this] { tellUnwritableFolderOnce(this, m_files, m_options); });
    if (m_ui.downloadaktiv1->isChecked()) {
        runHook(m_hooks.pruefedownload);
    }
    m_closeAllowed = true;
    m_startedUp = true;
    // A new user has no price list yet: the import is offered once, with the window in view.
    ErrorReport::guard(this, [this] { m_priceListImport.offerOnce(this, m_options); });
    if (!m_startFile.isEmpty()) {
        ErrorReport::guard(this, [this] { loadImportFile(m_startFile); });
    }
}

void THauptformular::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery: refused without a word while starting up or running.
    if (!m_closeAllowed) {
        event->ignore();
        return;
    }
    WindowPlace::remember(*this, m_options);
    QMainWindow::closeEvent(event);
}

void THauptformular::Beenden1Click()
{
    close();
}

void THauptformular::Info1Click()
{
    if (m_info) {
        m_info->exec();
    }
}

// --- options -----------------------------------------------------------------------------------

void THauptformular::Pfadangaben1Click()
{
    if (m_pfadangaben) {
        m_pfadangaben->exec();
    }
}

void THauptformular::ClientVerzeichnis1Click()
{
    QString current;
    try {
        current = m_options.get(Options::Clientpfad);
    } catch (const std::exception&) {
        // The chooser starts in the documents; storing the choice reports the file's fault.
    }
    QString folder = Dialogs::ChooseFolder(
        this, QStringLiteral("Wähle bitte das Verzeichnis des Ultima-Online-Clients aus:"),
        current.trimmed());
    if (folder.isEmpty()) {
        return;
    }
    if (!TUOArt::holdsArtFiles(folder)) {
        Dialogs::notice(this, QStringLiteral("Im Verzeichnis %1 wurden keine Grafiken gefunden. "
                                             "Gesucht wurden die Datei artLegacyMUL.uop oder "
                                             "die beiden Dateien artidx.mul und art.mul. Ohne "
                                             "sie zeigen die Item-Ansichten kein Bild.")
                                  .arg(shownPath(folder)));
    }
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    m_options.set(Options::Clientpfad, folder);
    if (m_hooks.useClientFolder) {
        m_hooks.useClientFolder(folder);
    }
}

void THauptformular::Downloadaktiv1Click()
{
    // The menu item has already toggled its check mark; the setting counts from the next start.
    const bool checked = m_ui.downloadaktiv1->isChecked();
    try {
        m_options.set(Options::Download, checked);
    } catch (...) {
        // Not stored: the check mark goes back to what the file says.
        m_ui.downloadaktiv1->setChecked(!checked);
        throw;
    }
}

// --- loading and editing -----------------------------------------------------------------------

void THauptformular::BitBtn1Click()
{
    QString folder = m_pfadangaben ? m_pfadangaben->importFolder() : QString();
    // Without an import folder the dialog starts in the documents, not where the program runs.
    if (folder.trimmed().isEmpty()) {
        folder = Dialogs::startFolder({});
    }
    const QString fileName = Dialogs::openFileName(this, QStringLiteral("Importfile laden"), folder,
                                                   QStringLiteral("SCP Dateien (*.cfg)"));
    if (fileName.isEmpty()) {
        return;
    }
    loadImportFile(fileName);
}

void THauptformular::loadImportFile(const QString& fileName)
{
    m_ui.statusPanel->setFullText(QStringLiteral("Geladenes Importfile: ") + shownPath(fileName));
    if (m_importedit) {
        m_importedit->setEditFileName(fileName);
    }
    const bool valid = testImportFile(fileName);
    if (valid) {
        m_importFileName = fileName;
    }
    Resetten();
    m_ui.bitBtn2->setEnabled(valid);
    m_view.setStartColour(tarvek::kColourGreen);
    m_ui.importdatei1->setEnabled(valid);
    m_ui.toolButton2->setEnabled(valid);
    m_billState.forget();
    m_ui.checkBox1->setChecked(false);
    m_ui.checkBox2->setChecked(false);
    if (valid) {
        m_ui.bitBtn2->setFocus();
    }
}

bool THauptformular::testImportFile(const QString& fileName)
{
    const std::string path = engineFileName(fileName);
    const auto lines = tarvek::readImportLines(path);
    if (!lines) {
        throw std::runtime_error(tarvek::fileOpenErrorText(path, lines.error().reason));
    }
    // The test lets Qt process events on long files. Until it ends nothing may start inside it:
    // no second load, no run, no bill, no editor, and the window does not close.
    const ControlLock lock(m_ui.loadLocked());
    const auto closeAgain =
        qScopeGuard([this, closeAllowed = std::exchange(m_closeAllowed, false)] {
            m_closeAllowed = closeAllowed;
        });
    return tarvek::pruefeimportdatei(*lines, [this] { (void)m_run.pump(); });
}

void THauptformular::Ansehen1Click()
{
    if (!QFile::exists(m_importFileName)) {
        Dialogs::notice(this, FileGone);
        return;
    }
    if (m_importedit) {
        m_importedit->setWindowTitle(QStringLiteral("Importdatei ") + shownPath(m_importFileName));
        m_importedit->exec();
    }
}

void THauptformular::Bereinigen1Click()
{
    m_cleanCommand->Bereinigen1Click();
}

void THauptformular::Vergleichen1Click()
{
    m_compareCommand->Vergleichen1Click();
}

void THauptformular::importSaved(const QString& fileName)
{
    bool valid = false;
    try {
        valid = testImportFile(fileName);
    } catch (const std::exception& error) {
        // The file is written; the window stays as after a load that could not read the file.
        throw std::runtime_error(
            "Die Importdatei wurde gespeichert, kann aber nicht geladen werden. " +
            std::string(error.what()));
    }
    // The sums belong to the text before the save: no bill from them until the next run.
    m_billState.forget();
    Resetten();
    m_ui.bitBtn2->setEnabled(valid);
    m_ui.importdatei1->setEnabled(valid);
}

void THauptformular::priceListChanged()
{
    // The bill on screen was priced with the previous list: its commands wait for the next run,
    // so that no export mixes two lists. So does "Bereinigen": what may not be imported is what
    // the new list says.
    m_billState.priceListChanged();
}

void THauptformular::loadAndRun(const QString& fileName, bool run)
{
    loadImportFile(fileName);
    if (run && m_ui.bitBtn2->isEnabled()) {
        BitBtn2Click();
    }
}

void THauptformular::runFromBatch(const QString& fileName)
{
    handOver(fileName, true);
}

void THauptformular::loadHandedOver(const QString& fileName)
{
    handOver(fileName, false);
}

void THauptformular::handOver(const QString& fileName, bool run)
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    if (!m_startedUp) {
        m_startFile = fileName;
        return;
    }
    const QString refused =
        QStringLiteral("Die Importdatei %1 wird nicht geladen: ").arg(shownPath(fileName));
    switch (handOverReadiness()) {
    case SingleInstance::Readiness::Running:
        Dialogs::notice(this, refused + QStringLiteral("Es läuft gerade eine Berechnung. Bitte "
                                                       "die Datei nach ihrem Ende erneut öffnen."));
        break;
    case SingleInstance::Readiness::DialogOpen:
        Dialogs::notice(this, refused + QStringLiteral("Ein anderes Fenster von Tarvek ist noch "
                                                       "offen. Bitte die Datei erneut öffnen, "
                                                       "wenn es geschlossen ist."));
        break;
    case SingleInstance::Readiness::Ready:
        ErrorReport::guard(this, [this, &fileName, run] { loadAndRun(fileName, run); });
        break;
    }
}

SingleInstance::Readiness THauptformular::handOverReadiness() const
{
    // Before the start-up has ended the file waits to be the start file. A run and a load under
    // way (which refuse closing) must end first; an open dialog may be the editor of the loaded
    // file, whose text must not be saved under another file's name.
    if (!m_startedUp) {
        return SingleInstance::Readiness::Ready;
    }
    if (RunActive() || !m_closeAllowed) {
        return SingleInstance::Readiness::Running;
    }
    if (QApplication::activeModalWidget() != nullptr) {
        return SingleInstance::Readiness::DialogOpen;
    }
    return SingleInstance::Readiness::Ready;
}

QString THauptformular::droppedFile(const QMimeData* mime) const
{
    if (RunActive() || !m_closeAllowed || !mime->hasUrls() || mime->urls().isEmpty()) {
        return QString();
    }
    const QUrl first = mime->urls().constFirst();
    return first.isLocalFile() ? first.toLocalFile() : QString();
}

void THauptformular::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void THauptformular::dropEvent(QDropEvent* event)
{
    const QString fileName = droppedFile(event->mimeData());
    if (fileName.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    ErrorReport::guard(this, [this, &fileName] { loadImportFile(fileName); });
}

// --- the run -----------------------------------------------------------------------------------

void THauptformular::BitBtn2Click()
{
    if (m_run.RunActive()) {
        m_run.requestCancel();
        return;
    }
    if (!m_importFileName.isEmpty() && QFile::exists(m_importFileName)) {
        m_run.start();
        return;
    }
    Dialogs::notice(this, FileGone);
}

void THauptformular::runCalculation()
{
    tarvek::RunSettings settings;
    settings.importFileName = engineFileName(m_importFileName);
    settings.programDir = engineFileName(m_files.priceListDir);
    settings.clock = &m_clock;
    settings.separators = m_separators;
    settings.items = &m_itemRecord;
    try {
        tarvek::CalculationRun run(std::move(settings), m_runState, m_view);
        run.execute();
        setPlanAvailable(m_itemRecord.complete());
        focusAfterRun();
    } catch (...) {
        // Whatever ends the run, the window must not stay in the run look.
        m_view.schalterschalt(true);
        throw;
    }
}

void THauptformular::focusAfterRun()
{
    // The list that needs looking at first: what must be checked, what may not be imported, the
    // nested items, what has no price; else the bill.
    for (const int number : {2, 6, 3, 5}) {
        if (listBox(number)->count() > 0) {
            listBox(number)->setFocus();
            return;
        }
    }
    listBox(4)->setFocus();
}

void THauptformular::setPlanAvailable(bool available)
{
    m_ui.grundriss1->setEnabled(available);
    m_ui.ansichtImSpiel1->setEnabled(available);
    m_ui.toolButton6->setEnabled(available);
    emit planAvailable(available);
}

// --- the bill ----------------------------------------------------------------------------------

void THauptformular::BitBtn6Click()
{
    m_billCommands->refresh();
}

void THauptformular::CheckBoxClick()
{
    BitBtn6Click();
}

void THauptformular::Stapelpruefung1Click()
{
    // The batch window stays open beside the main window; a row's file loads and runs here.
    TStapelpruefung* batch =
        TStapelpruefung::showFor(this, m_files.priceListDir, m_separators,
                                 [this](const QString& file) { runFromBatch(file); });
    // What the batch window saved or copied, it says itself; this window's line would speak of
    // an older deed.
    connect(batch, &TStapelpruefung::said, m_ui.statusBar1, &QStatusBar::clearMessage,
            Qt::UniqueConnection);
    // The choosers start where the last batch was, also after a new start of the program.
    QString last;
    ErrorReport::guard(this, [this, &last] { last = m_options.get(Options::Stapelordner); });
    batch->setBatchFolder(last, [this](const QString& folder) {
        ErrorReport::guard(this, [this, &folder] { m_options.set(Options::Stapelordner, folder); });
    });
}
