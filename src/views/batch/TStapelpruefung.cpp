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
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

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
    setMinimumSize(560, 320);
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
    m_stop = makeCommandButton(this, "Stopp", QStringLiteral("Stopp"));
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

    m_rowFilter->setSourceModel(m_rows);
    m_unpricedFilter->setSourceModel(m_unpriced);
    m_table = makeSortableTable(this, "Tabelle", QStringLiteral("Dateien"), m_rowFilter);
    m_unpricedTable = makeSortableTable(
        this, "NichtBerechnet", QStringLiteral("Nicht berechnete Graphics"), m_unpricedFilter);
    auto* tabs = named(new QTabWidget(this), "Tabellen", QStringLiteral("Tabellen"));
    tabs->addTab(m_table, QStringLiteral("D&ateien"));
    tabs->addTab(m_unpricedTable, QStringLiteral("&Nicht berechnete Graphics"));

    auto* csv =
        makeCommandButton(this, "AlsCsvSpeichern", QStringLiteral("Als &CSV speichern ..."));
    auto* pdf =
        makeCommandButton(this, "AlsPdfSpeichern", QStringLiteral("Als &PDF speichern ..."));
    auto* copyButton = makeCommandButton(this, "Kopieren", QStringLiteral("Ko&pieren"));
    auto* close = makeCommandButton(this, "Schliessen", QStringLiteral("Schließen"));
    m_idleOnly = {folder, files, m_nested, m_water, m_basement, csv, pdf, copyButton};
    // Tab goes through the window from top to bottom: the choices, "Stopp", the filter, the tabs
    // and their table, the commands.
    const QList<QWidget*> order = {folder, files,    m_nested,   m_water, m_basement,
                                   m_stop, m_filter, tabs,       m_table, m_unpricedTable,
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
    });
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

    auto* choose = new QHBoxLayout;
    for (QWidget* widget :
         QList<QWidget*>{folder, files, nestedLabel, m_nested, m_water, m_basement}) {
        choose->addWidget(widget);
    }
    choose->addStretch(1);
    auto* run = new QHBoxLayout;
    run->addWidget(m_progress, 1);
    run->addWidget(m_stop);
    auto* filter = new QHBoxLayout;
    filter->addWidget(filterLabel);
    filter->addWidget(m_filter, 1);
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
    layout->addWidget(tabs, 1);
    layout->addLayout(commands);
}

TStapelpruefung::~TStapelpruefung() = default;

TStapelpruefung* TStapelpruefung::showFor(QWidget* owner, const QString& programDir,
                                          const tarvek::LocaleSeparators& separators,
                                          std::function<void(const QString&)> open)
{
    auto* window = owner->findChild<TStapelpruefung*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new TStapelpruefung(programDir, separators, owner);
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
    const QString folder = Dialogs::ChooseFolder(this, QStringLiteral("Ordner der Importdateien"));
    if (!folder.isEmpty()) {
        startBatch({folder});
    }
}

void TStapelpruefung::chooseFiles()
{
    const QStringList files = Dialogs::openFileNames(this, QStringLiteral("Importdateien wählen"),
                                                     QStringLiteral("Importdateien (*.cfg *.CFG)"));
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
    BatchJob::Settings settings;
    for (const QString& path : paths) {
        settings.paths.push_back(engineFileName(path));
    }
    settings.programDir = engineFileName(m_programDir);
    settings.fees = {m_water->isChecked(), m_basement->isChecked()};
    settings.nested = m_nested->currentIndex() == 1 ? tarvek::Answer::No : tarvek::Answer::Yes;
    settings.separators = m_separators;
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
    m_job->stop();
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
    m_current->setText(QStringLiteral("%1 von %2 Dateien berechnet")
                           .arg(m_rows->rowCount())
                           .arg(m_progress->maximum()));
    m_table->resizeColumnsToContents();
    m_unpricedTable->resizeColumnsToContents();
    if (!error.isEmpty()) {
        Dialogs::error(this, visibleText(error));
    }
    emit batchFinished();
}

void TStapelpruefung::done(int result)
{
    // Closing the window (also by Escape) ends a batch that runs.
    m_job->stop();
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
    const std::string bytes = tarvek::batchCsv(m_rows->rows(), m_unpriced->entries());
    try {
        FileWriter::writeAll(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    } catch (const std::exception& e) {
        Dialogs::error(this, QString::fromUtf8(e.what()));
    }
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
        PagedDocument(batchHtml(m_rows->rows(), m_unpriced->entries(), about()))
            .writePdf(path, QStringLiteral("Stapelprüfung"));
    } catch (const std::exception& e) {
        Dialogs::error(this, QString::fromUtf8(e.what()));
    }
}

void TStapelpruefung::copy()
{
    putOnClipboard(batchPlainText(m_rows->rows(), m_unpriced->entries()),
                   batchHtml(m_rows->rows(), m_unpriced->entries(), about()));
}
