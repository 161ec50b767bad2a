#include "views/batch/TStapelpruefung.h"

#include "calc/BatchCsv.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/FileNameText.h"
#include "gui/FileWriter.h"
#include "gui/PagedDocument.h"
#include "gui/VisibleText.h"
#include "views/batch/BatchDocument.h"
#include "views/batch/BatchJob.h"
#include "views/batch/BatchModels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace {

// Owns the batch window of a main window without being its parent: a window with a parent
// stays in front of it, yet a double-click on a row brings the main window to the front.
class BatchWindowOwner : public QObject
{
public:
    BatchWindowOwner(QObject* owner, TStapelpruefung* window) : QObject(owner), m_window(window)
    {
        setObjectName(QStringLiteral("StapelpruefungOwner"));
    }
    ~BatchWindowOwner() override { delete m_window; }
    BatchWindowOwner(const BatchWindowOwner&) = delete;
    BatchWindowOwner& operator=(const BatchWindowOwner&) = delete;
    TStapelpruefung* window() const { return m_window; }

private:
    TStapelpruefung* m_window;
};

// The rows of `model` in the order and with the filter of `view`.
template <typename Entry>
std::vector<Entry> shownEntries(const QSortFilterProxyModel& view, const std::vector<Entry>& all)
{
    std::vector<Entry> shown;
    shown.reserve(static_cast<std::size_t>(view.rowCount()));
    for (int row = 0; row < view.rowCount(); ++row) {
        const int source = view.mapToSource(view.index(row, 0)).row();
        if (source >= 0 && static_cast<std::size_t>(source) < all.size()) {
            shown.push_back(all[static_cast<std::size_t>(source)]);
        }
    }
    return shown;
}

} // namespace

TStapelpruefung::TStapelpruefung(const QString& programDir, tarvek::LocaleSeparators separators,
                                 QWidget* parent)
    : QDialog(parent), m_programDir(programDir), m_separators(std::move(separators)),
      m_job(new BatchJob(this)), m_rows(new BatchRowModel(this)),
      m_unpriced(new UnpricedModel(this)), m_rowFilter(new BatchFilter(this)),
      m_unpricedFilter(new BatchFilter(this)), m_refresh(new QTimer(this))
{
    setObjectName(QStringLiteral("Stapelpruefung"));
    setWindowTitle(QStringLiteral("Stapelprüfung"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    // Closing the main window ends the program, also while this window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(980, 560);

    auto* folder = makeCommandButton(this, "OrdnerWaehlen", QStringLiteral("&Ordner wählen ..."));
    auto* files = makeCommandButton(this, "DateienWaehlen", QStringLiteral("&Dateien wählen ..."));
    m_nested =
        named(new QComboBox(this), "Ineinanderliegend", QStringLiteral("Ineinanderliegende Items"));
    m_nested->addItems({QStringLiteral("weiterrechnen"), QStringLiteral("anhalten")});
    auto* nestedLabel = makeBuddyLabel(this, "IneinanderliegendLabel",
                                       QStringLiteral("&Ineinanderliegende Items:"), m_nested);
    m_water = named(new QCheckBox(QStringLiteral("&Wasserbau"), this), "Wasserbau",
                    QStringLiteral("Wasserbau"));
    m_basement = named(new QCheckBox(QStringLiteral("&Kellerbau (nur Gilden)"), this), "Kellerbau",
                       QStringLiteral("Kellerbau (nur Gilden)"));
    m_stop = makeCommandButton(this, "Stopp", QStringLiteral("&Stopp"));
    m_stop->setEnabled(false);
    m_progress = named(new QProgressBar(this), "Fortschritt", QStringLiteral("Fortschritt"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_current = makeTextLabel(this, "AktuelleDatei", QStringLiteral("Aktuelle Datei"));
    // A long file name does not widen the window: the label shows what fits.
    m_current->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_filter = named(new QLineEdit(this), "Filter", QStringLiteral("Filter"));
    m_filter->setClearButtonEnabled(true);
    auto* filterLabel = makeBuddyLabel(this, "FilterLabel", QStringLiteral("&Filter:"), m_filter);
    m_filterCount = named(new QLabel(this), "FilterZeilen", QStringLiteral("Gefilterte Zeilen"));

    m_rowFilter->setSourceModel(m_rows);
    m_unpricedFilter->setSourceModel(m_unpriced);
    m_table = makeSortableTable(this, "Tabelle", QStringLiteral("Dateien"), m_rowFilter);
    m_table->setTextElideMode(Qt::ElideMiddle);
    // "Grund" takes the room that is left; its whole text is the tool tip.
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_unpricedTable = makeSortableTable(
        this, "NichtBerechnet", QStringLiteral("Nicht berechnete Grafiken"), m_unpricedFilter);
    m_tabs = named(new QTabWidget(this), "Tabellen", QStringLiteral("Tabellen"));
    m_tabs->addTab(m_table, QStringLiteral("D&ateien"));
    m_tabs->addTab(m_unpricedTable, QStringLiteral("&Nicht berechnete Grafiken"));

    auto* csv =
        makeCommandButton(this, "AlsCsvSpeichern", QStringLiteral("Als &CSV speichern ..."));
    auto* pdf =
        makeCommandButton(this, "AlsPdfSpeichern", QStringLiteral("Als &PDF speichern ..."));
    auto* copyButton = makeCommandButton(this, "Kopieren", QStringLiteral("Kopi&eren"));
    auto* close = makeCommandButton(this, "Schliessen", QStringLiteral("Schließen"));
    m_status = makeStatusLine(this);
    m_idleOnly = {folder, files, m_nested, m_water, m_basement, csv, pdf, copyButton};
    // Tab goes through the window from top to bottom: the choices, "Stopp", the filter, the tabs
    // and their table, the commands.
    const QList<QWidget*> order = {folder, files,    m_nested,   m_water, m_basement,
                                   m_stop, m_filter, m_tabs,     m_table, m_unpricedTable,
                                   csv,    pdf,      copyButton, close};
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    connect(folder, &QPushButton::clicked, this, &TStapelpruefung::chooseFolder);
    connect(files, &QPushButton::clicked, this, &TStapelpruefung::chooseFiles);
    connect(m_stop, &QPushButton::clicked, this, &TStapelpruefung::stopBatch);
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_rowFilter->setFilterFixedString(text);
        m_unpricedFilter->setFilterFixedString(text);
        countShown();
    });
    for (QAbstractItemModel* model : {static_cast<QAbstractItemModel*>(m_rowFilter),
                                      static_cast<QAbstractItemModel*>(m_unpricedFilter)}) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &TStapelpruefung::countShown);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &TStapelpruefung::countShown);
        connect(model, &QAbstractItemModel::modelReset, this, &TStapelpruefung::countShown);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &TStapelpruefung::countShown);
    // A double-click, or Enter on the selected row (once each, as the platform activates).
    connect(m_table, &QTableView::activated, this, &TStapelpruefung::rowActivated);
    connect(csv, &QPushButton::clicked, this, &TStapelpruefung::saveCsv);
    connect(pdf, &QPushButton::clicked, this, &TStapelpruefung::savePdf);
    connect(copyButton, &QPushButton::clicked, this, &TStapelpruefung::copy);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // The window takes the workers' news at most every 40 ms: however many files end meanwhile,
    // one insertion into the table and one repaint.
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(40);
    connect(m_job, &BatchJob::newsArrived, m_refresh, [this] {
        if (!m_refresh->isActive()) {
            m_refresh->start();
        }
    });
    connect(m_refresh, &QTimer::timeout, this, &TStapelpruefung::takeNews);
    connect(m_job, &BatchJob::finished, this, &TStapelpruefung::finished);

    // Two rows of choices, so that the smallest window shows each whole.
    auto* choose = new QGridLayout;
    choose->addWidget(folder, 0, 0);
    choose->addWidget(files, 0, 1);
    choose->addWidget(m_water, 0, 2);
    choose->addWidget(m_basement, 0, 3);
    choose->addWidget(nestedLabel, 1, 0);
    choose->addWidget(m_nested, 1, 1);
    choose->setColumnStretch(4, 1);
    auto* run = new QHBoxLayout;
    run->addWidget(m_progress, 1);
    run->addWidget(m_stop);
    auto* filter = new QHBoxLayout;
    filter->addWidget(filterLabel);
    filter->addWidget(m_filter, 1);
    filter->addWidget(m_filterCount);
    auto* commands = new QHBoxLayout;
    for (QPushButton* command : {csv, pdf, copyButton}) {
        commands->addWidget(command);
    }
    commands->addStretch(1);
    commands->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choose);
    layout->addLayout(run);
    layout->addWidget(m_current);
    layout->addLayout(filter);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(commands);
    layout->addWidget(m_status);
}

TStapelpruefung::~TStapelpruefung() = default;

TStapelpruefung* TStapelpruefung::showFor(QWidget* owner, const QString& programDir,
                                          const tarvek::LocaleSeparators& separators,
                                          std::function<void(const QString&)> open)
{
    const auto* held = dynamic_cast<BatchWindowOwner*>(owner->findChild<QObject*>(
        QStringLiteral("StapelpruefungOwner"), Qt::FindDirectChildrenOnly));
    TStapelpruefung* window = held != nullptr ? held->window() : nullptr;
    if (window == nullptr) {
        window = new TStapelpruefung(programDir, separators);
        new BatchWindowOwner(owner, window);
    }
    window->setOpenFile(std::move(open));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool TStapelpruefung::running() const
{
    return m_stop->isEnabled();
}

void TStapelpruefung::chooseFolder()
{
    const QString folder =
        Dialogs::ChooseFolder(this, QStringLiteral("Ordner der Importdateien"), m_batchFolder);
    if (!folder.isEmpty()) {
        startBatch({folder});
    }
}

void TStapelpruefung::chooseFiles()
{
    const QStringList files =
        Dialogs::openFileNames(this, QStringLiteral("Importdateien wählen"),
                               QStringLiteral("Importdateien (*.cfg *.CFG)"), m_batchFolder);
    if (!files.isEmpty()) {
        startBatch(files);
    }
}

void TStapelpruefung::startBatch(const QStringList& paths)
{
    if (running() || m_job->running()) {
        return;
    }
    const QFileInfo first(paths.value(0));
    m_batchFolder = first.isDir() ? first.absoluteFilePath() : first.absolutePath();
    if (m_rememberFolder) {
        m_rememberFolder(m_batchFolder);
    }
    BatchJob::Settings settings;
    for (const QString& path : paths) {
        settings.paths.push_back(engineFileName(path));
    }
    settings.programDir = engineFileName(m_programDir);
    settings.fees = {m_water->isChecked(), m_basement->isChecked()};
    settings.nested = m_nested->currentIndex() == 1 ? tarvek::Answer::No : tarvek::Answer::Yes;
    settings.separators = m_separators;
    m_ranWith = about();
    m_stopped = false;
    // A new batch shows all its rows, by file name until the user sorts.
    m_filter->clear();
    m_table->sortByColumn(0, Qt::AscendingOrder);
    m_unpricedTable->sortByColumn(0, Qt::AscendingOrder);
    m_rows->clear();
    m_unpriced->clear();
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_current->clear();
    setRunning(true);
    m_job->start(std::move(settings));
}

void TStapelpruefung::stopBatch()
{
    if (running()) {
        m_stopped = true;
    }
    m_job->stop();
}

void TStapelpruefung::countShown()
{
    const auto* shown = m_tabs->currentIndex() == 0 ? m_rowFilter : m_unpricedFilter;
    m_filterCount->setText(m_filter->text().isEmpty() ? QString()
                                                      : QStringLiteral("%1 von %2 Zeilen")
                                                            .arg(shown->rowCount())
                                                            .arg(shown->sourceModel()->rowCount()));
}

void TStapelpruefung::setRunning(bool running)
{
    for (QWidget* widget : m_idleOnly) {
        widget->setEnabled(!running);
    }
    m_stop->setEnabled(running);
    if (running) {
        m_stop->setFocus();
    }
}

void TStapelpruefung::takeNews()
{
    BatchJob::News news = m_job->take();
    if (news.files >= 0) {
        m_progress->setRange(0, std::max(1, news.files));
    }
    if (!news.current.isEmpty()) {
        m_current->setText(shownPath(news.current));
    }
    m_rows->append(std::move(news.rows));
    m_unpriced->add(news.unpriced);
    m_progress->setValue(m_rows->rowCount());
}

void TStapelpruefung::finished(const QString& error)
{
    m_refresh->stop();
    takeNews();
    setRunning(false);
    m_current->setText(QStringLiteral("%1 von %2 Dateien berechnet%3")
                           .arg(m_rows->rowCount())
                           .arg(m_progress->maximum())
                           .arg(m_stopped ? QStringLiteral(", gestoppt") : QString()));
    fitColumns(m_table);
    fitColumns(m_unpricedTable);
    if (!error.isEmpty()) {
        Dialogs::error(this, visibleText(error));
    }
    emit batchFinished();
}

void TStapelpruefung::fitColumns(QTableView* table)
{
    // Every column as wide as its widest text, over the first thousands of rows (a batch of many
    // thousand files does not hold the window up); the last one takes what is left.
    QHeaderView* header = table->horizontalHeader();
    header->setResizeContentsPrecision(5000);
    const int last = table->model()->columnCount() - 1;
    for (int column = 0; column < last; ++column) {
        table->resizeColumnToContents(column);
    }
}

void TStapelpruefung::done(int result)
{
    // Closing the window (also by Escape) while a batch runs asks first, and then ends it.
    if (running() &&
        !Dialogs::choose(this, QStringLiteral("Stapelprüfung abbrechen?"),
                         QStringLiteral("Die Stapelprüfung läuft noch. Soll sie abgebrochen "
                                        "und das Fenster geschlossen werden?"),
                         QStringLiteral("Abbrechen und schließen"),
                         QStringLiteral("Weiterrechnen"))) {
        return;
    }
    stopBatch();
    QDialog::done(result);
}

void TStapelpruefung::rowActivated(const QModelIndex& index)
{
    const int row = m_rowFilter->mapToSource(index).row();
    if (row >= 0 && m_openFile) {
        m_openFile(qtFileName(m_rows->rows()[static_cast<std::size_t>(row)].file));
    }
}

QString TStapelpruefung::about() const
{
    QStringList fees;
    if (m_water->isChecked()) {
        fees.append(m_water->accessibleName());
    }
    if (m_basement->isChecked()) {
        fees.append(m_basement->accessibleName());
    }
    return QStringLiteral("Ineinanderliegende Items: %1; Gebühren: %2")
        .arg(m_nested->currentText(),
             fees.isEmpty() ? QStringLiteral("keine") : fees.join(QStringLiteral(", ")));
}

QString TStapelpruefung::proposed(const QString& name) const
{
    // Never the folder the program runs in (an installed copy's program folder).
    return QDir(Dialogs::startFolder({m_batchFolder})).filePath(name);
}

void TStapelpruefung::saveCsv()
{
    const QString path = Dialogs::saveFileName(this, QStringLiteral("Als CSV speichern"),
                                               proposed(QStringLiteral("Stapelpruefung.csv")),
                                               QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    const std::string bytes = tarvek::batchCsv(shownRows(), shownUnpriced());
    try {
        FileWriter::writeAll(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    } catch (const std::exception& e) {
        Dialogs::error(this, QString::fromUtf8(e.what()));
        return;
    }
    say(QStringLiteral("Die Tabellen sind gespeichert: ") + shownPath(path));
}

void TStapelpruefung::savePdf()
{
    const QString path = Dialogs::saveFileName(this, QStringLiteral("Als PDF speichern"),
                                               proposed(QStringLiteral("Stapelpruefung.pdf")),
                                               QStringLiteral("PDF-Dokumente (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    try {
        batchDocument(shownRows(), shownUnpriced(), m_ranWith)
            .writePdf(path, QStringLiteral("Stapelprüfung"));
    } catch (const std::exception& e) {
        Dialogs::error(this, QString::fromUtf8(e.what()));
        return;
    }
    say(QStringLiteral("Die Tabellen sind gespeichert: ") + shownPath(path));
}

void TStapelpruefung::copy()
{
    const std::vector<tarvek::BatchRow> rows = shownRows();
    const std::vector<tarvek::UnpricedEntry> unpriced = shownUnpriced();
    putOnClipboard(batchPlainText(rows, unpriced, m_ranWith),
                   batchDocument(rows, unpriced, m_ranWith).html());
    say(QStringLiteral("Die Tabellen sind in der Zwischenablage."));
}

void TStapelpruefung::say(const QString& text)
{
    m_status->showMessage(text, StatusMessageMs);
    emit said();
}

std::vector<tarvek::BatchRow> TStapelpruefung::shownRows() const
{
    return shownEntries(*m_rowFilter, m_rows->rows());
}

std::vector<tarvek::UnpricedEntry> TStapelpruefung::shownUnpriced() const
{
    return shownEntries(*m_unpricedFilter, m_unpriced->entries());
}
