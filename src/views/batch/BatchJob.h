#pragma once

#include "calc/Batch.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

// One batch off the user-interface thread: reads the price list once, runs the files on one
// worker per core and collects what they report, so that the window stays responsive: the window
// hears of new results by one queued signal at a time and takes all that came meanwhile at once,
// however fast the workers are. stop() ends it within a fraction of a second (the runs end at
// their next cancel check); the rows done are kept. Destroying the job stops it and waits for its
// threads.
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
        tarvek::LocaleSeparators separators;
    };

    // What came in since the last take().
    struct News
    {
        int files = -1; // the number of files, once they are known
        QString current;
        std::vector<tarvek::BatchRow> rows;
        std::vector<tarvek::UnpricedGraphic> unpriced;
    };

    explicit BatchJob(QObject* parent = nullptr);
    ~BatchJob() override;

    // Starts a batch; false while one runs.
    bool start(Settings settings);
    void stop() { m_stop = true; }
    bool running() const { return m_thread.joinable(); }
    News take();

signals:
    // There is news to take(); not sent again before it was taken.
    void newsArrived();
    // The batch has ended (every file done, or stopped) and all its news is there to take;
    // `error` is empty unless the price list could not be read.
    void finished(const QString& error);

private:
    template <typename Change> void tell(Change change);
    void joinFinished();

    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    News m_news;
    bool m_told = false;
    std::thread m_thread;
};
