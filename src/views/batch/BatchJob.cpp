#include "views/batch/BatchJob.h"

#include "gui/FileNameText.h"

Q_DECLARE_METATYPE(tarvek::BatchRow)
Q_DECLARE_METATYPE(std::vector<tarvek::UnpricedGraphic>)

BatchJob::BatchJob(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<tarvek::BatchRow>();
    qRegisterMetaType<std::vector<tarvek::UnpricedGraphic>>();
    // The coordinating thread has ended once it reported the end.
    connect(this, &BatchJob::finished, this, &BatchJob::joinFinished, Qt::QueuedConnection);
}

BatchJob::~BatchJob()
{
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void BatchJob::joinFinished()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool BatchJob::start(Settings settings)
{
    if (m_thread.joinable()) {
        return false;
    }
    m_stop = false;
    m_thread = std::thread([this, settings = std::move(settings)] {
        tarvek::BatchSettings batch;
        std::string message;
        batch.priceList = tarvek::loadBatchPriceList({}, settings.programDir, message);
        if (!batch.priceList) {
            emit finished(
                QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
            return;
        }
        batch.files = tarvek::batchFiles(settings.paths);
        batch.fees = settings.fees;
        batch.nested = settings.nested;
        batch.jobs = settings.jobs;
        batch.separators = settings.separators;
        emit filesFound(static_cast<int>(batch.files.size()));
        tarvek::BatchEvents events;
        events.started = [&](std::size_t index) {
            emit fileStarted(qtFileName(batch.files[index]));
        };
        events.finished = [this](std::size_t, tarvek::BatchRow row,
                                 std::vector<tarvek::UnpricedGraphic> unpriced) {
            emit rowDone(row, unpriced);
        };
        tarvek::runBatch(batch, events, m_stop);
        emit finished({});
    });
    return true;
}
