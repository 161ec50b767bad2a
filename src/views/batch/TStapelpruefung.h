#pragma once

#include "calc/Batch.h"
#include "calc/Clock.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

class BatchFilter;
class BatchJob;
class BatchRowModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableView;
class QTimer;
class UnpricedModel;

// "Stapelprüfung": many import files priced at once against the price list, on every core, one
// row per file and the table "Nicht berechnete Grafiken". The batch runs off the user-interface
// thread; "Stopp" ends it at once and keeps the rows done. A double-click on a row hands its file
// to the main window. Shown without blocking the main window, and without staying in front of it.
class TStapelpruefung : public QDialog
{
    Q_OBJECT

public:
    // programDir: the folder of the price list, ending in a separator.
    TStapelpruefung(const QString& programDir, tarvek::LocaleSeparators separators,
                    QWidget* parent = nullptr);
    ~TStapelpruefung() override;

    // The window of `owner` (created on first use, destroyed with `owner`), shown and brought to
    // the front.
    static TStapelpruefung* showFor(QWidget* owner, const QString& programDir,
                                    const tarvek::LocaleSeparators& separators,
                                    std::function<void(const QString&)> open);

    // The file of a double-clicked row goes here.
    void setOpenFile(std::function<void(const QString&)> open) { m_openFile = std::move(open); }
    // Where the choosers start (the folder of the last batch, kept in the options) and who keeps
    // the folder of a new batch.
    void setBatchFolder(const QString& folder, std::function<void(const QString&)> remember)
    {
        m_batchFolder = folder;
        m_rememberFolder = std::move(remember);
    }
    // Starts a batch of these files and folders (what the two choose buttons do after their
    // dialog); ignored while one runs.
    void startBatch(const QStringList& paths);
    void stopBatch();
    bool running() const;

    QTableView* table() const { return m_table; }
    const BatchRowModel& rows() const { return *m_rows; }
    const UnpricedModel& unpriced() const { return *m_unpriced; }

    void done(int result) override;

signals:
    // The batch has ended (all files, or stopped).
    void batchFinished();
    // The window said in its status line what it saved or copied.
    void said();

private:
    void chooseFolder();
    void chooseFiles();
    void takeNews();
    void finished(const QString& error);
    void setRunning(bool running);
    void rowActivated(const QModelIndex& index);
    // "n von m Zeilen" of the shown table while a filter is set.
    void countShown();
    static void fitColumns(QTableView* table);
    // What the tables show, in their order: what the documents hold.
    std::vector<tarvek::BatchRow> shownRows() const;
    std::vector<tarvek::UnpricedEntry> shownUnpriced() const;
    QString about() const;
    // `name` in the folder where the tables are proposed.
    QString proposed(const QString& name) const;
    void saveCsv();
    void savePdf();
    void copy();
    void say(const QString& text);

    QString m_programDir;
    // Where the choosers start and the saved tables are proposed: the folder of the last batch's
    // files.
    QString m_batchFolder;
    std::function<void(const QString&)> m_rememberFolder;
    // What the running or last batch ran with, as its documents name it.
    QString m_ranWith;
    bool m_stopped = false; // the last batch was ended by "Stopp" or by closing
    tarvek::LocaleSeparators m_separators;
    BatchJob* m_job;
    BatchRowModel* m_rows;
    UnpricedModel* m_unpriced;
    BatchFilter* m_rowFilter;
    BatchFilter* m_unpricedFilter;
    QTimer* m_refresh;
    QComboBox* m_nested;
    QCheckBox* m_water;
    QCheckBox* m_basement;
    QPushButton* m_stop;
    QProgressBar* m_progress;
    QLabel* m_current;
    QLineEdit* m_filter;
    QLabel* m_filterCount;
    QTabWidget* m_tabs;
    QStatusBar* m_status;
    QTableView* m_table;
    QTableView* m_unpricedTable;
    QList<QWidget*> m_idleOnly; // disabled while a batch runs
    std::function<void(const QString&)> m_openFile;
};
