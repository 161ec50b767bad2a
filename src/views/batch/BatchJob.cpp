#include "views/batch/BatchJob.h"

#include "base/FileNames.h"
#include "gui/FileNameText.h"
#include "pricing/PriceList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

// Why the validity test refused a file, from its first bytes: it is empty, it holds bytes that
// no text has, or it lacks the header.
std::string notImportReason(const std::string& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(tarvek::pathOf(file), error)) {
        return {}; // no device or pipe is read here
    }
    std::ifstream in(tarvek::pathOf(file), std::ios::binary);
    std::string head(64 * 1024, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    if (head.empty()) {
        return "Die Datei ist leer.";
    }
    if (head.find('\0') != std::string::npos) {
        return "Die Datei enthält Binärdaten, keinen Text.";
    }
    return "Keine Zeile mit \"Entry Header\" und danach einer Zeile mit \"{\".";
}

} // namespace

BatchJob::BatchJob(QObject* parent) : QObject(parent)
{
    // The coordinating thread has ended once it reported the end.
    connect(this, &BatchJob::finished, this, &BatchJob::joinFinished, Qt::QueuedConnection);
}

BatchJob::~BatchJob()
{
    m_stop = true;
    joinFinished();
}

void BatchJob::joinFinished()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

template <typename Change> void BatchJob::tell(Change change)
{
    bool first = false;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        change(m_news);
        first = !m_told;
        m_told = true;
    }
    if (first) {
        emit newsArrived();
    }
}

BatchJob::News BatchJob::take()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_told = false;
    return std::exchange(m_news, News());
}

bool BatchJob::start(Settings settings)
{
    if (m_thread.joinable()) {
        return false;
    }
    m_stop = false;
    m_news = News();
    m_told = false;
    m_thread = std::thread([this, settings = std::move(settings)] {
        tarvek::BatchSettings batch;
        std::string message;
        batch.priceList = tarvek::loadSharedPriceList({}, settings.programDir, message);
        if (!batch.priceList) {
            emit finished(QString::fromStdString(message));
            return;
        }
        batch.files = tarvek::batchFiles(settings.paths);
        batch.fees = settings.fees;
        batch.nested = settings.nested;
        batch.separators = settings.separators;
        tell([&](News& news) { news.files = static_cast<int>(batch.files.size()); });
        tarvek::BatchEvents events;
        events.started = [&](std::size_t index) {
            tell([&](News& news) { news.current = qtFileName(batch.files[index]); });
        };
        events.finished = [this](std::size_t, tarvek::BatchRow row,
                                 std::vector<tarvek::UnpricedGraphic> unpriced) {
            if (row.outcome == tarvek::BatchOutcome::NotImport && row.reason.empty()) {
                row.reason = notImportReason(row.file);
            }
            tell([&](News& news) {
                news.rows.push_back(std::move(row));
                news.unpriced.insert(news.unpriced.end(), unpriced.begin(), unpriced.end());
            });
        };
        tarvek::runBatch(batch, events, m_stop);
        emit finished({});
    });
    return true;
}
