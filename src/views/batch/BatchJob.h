#pragma once

#include "calc/Batch.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

// One batch off the user-interface thread: reads the price list once, runs the files on one
// worker per core and reports each file by queued signals, so that the window stays responsive.
// stop() ends it within a fraction of a second (the runs end at their next cancel check); the
// rows done are kept. Destroying the job stops it and waits for its threads.
class BatchJob : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        std::vector<std::string> paths; // files and folders
        std::string programDir;         // where Preisliste.txt is found, ending in a separator
        tarvek::FeeChoice fees;
        tarvek::Answer nested = tarvek::Answer::Yes;
        unsigned jobs = 0;
        tarvek::LocaleSeparators separators;
    };

    explicit BatchJob(QObject* parent = nullptr);
    ~BatchJob() override;

    // Starts a batch; false while one runs.
    bool start(Settings settings);
    void stop() { m_stop = true; }
    bool running() const { return m_thread.joinable(); }

signals:
    // The files are known (before the first one starts).
    void filesFound(int count);
    void fileStarted(const QString& file);
    void rowDone(const tarvek::BatchRow& row, const std::vector<tarvek::UnpricedGraphic>& unpriced);
    // The batch has ended (every file done, or stopped); `error` is empty unless the price list
    // could not be read.
    void finished(const QString& error);

private:
    void joinFinished();

    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
