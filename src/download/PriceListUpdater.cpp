#include "PriceListUpdater.h"

#include "ContentRange.h"
#include "DownloadError.h"
#include "DownloadPrompter.h"
#include "DownloadSettings.h"
#include "ServerAddress.h"
#include "TLaden.h"
#include "TVerbindungsaufbau.h"

#include "gui/FileErrors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

#include <cerrno>
#include <limits>

const QString PriceListUpdater::RemoteFileName = QStringLiteral("preisliste.txt");
const QString PriceListUpdater::RemotePath = QStringLiteral("/downloads/vaskodata/");

namespace {

// Lets the windows draw; clicks wait until the check is over.
void processPending()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Sizes from the server are 32-bit numbers; anything else counts as no size.
qint32 toSize32(qint64 size)
{
    if (size < 0 || size > std::numeric_limits<qint32>::max())
        return -1;
    return static_cast<qint32>(size);
}

// The failure of the price list file, with its reason in German.
QString cannotCreate(const QString& path, const QFileDevice& file, int errorNumber)
{
    return FileErrors::cannotCreate(path, FileErrors::reason(file, errorNumber));
}

} // namespace

PriceListUpdater::PriceListUpdater(DownloadSettings& settings, DownloadPrompter& prompter,
                                   QObject* parent)
    : QObject(parent), m_settings(settings), m_prompter(prompter),
      m_verbindungsaufbau(std::make_unique<TVerbindungsaufbau>()),
      m_laden(std::make_unique<TLaden>())
{}

PriceListUpdater::~PriceListUpdater() = default;

QUrl PriceListUpdater::fileUrl(const QString& name)
{
    return ServerAddress::url(m_settings.server(), RemotePath + name);
}

PriceListUpdater::Outcome PriceListUpdater::pruefedownload()
{
    if (m_running)
        return Outcome::Busy;
    m_running = true;
    const auto done = qScopeGuard([this] { m_running = false; });
    QString failure;
    try {
        return runCheck();
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = QStringLiteral("Unbekannter Fehler");
    }
    // The check ends here, as the general error report would end it, but never leaves a window
    // open that refuses to close.
    Verbindungschliessen();
    ladenschliessen();
    m_prompter.reportError(failure);
    return Outcome::Failed;
}

QString PriceListUpdater::outcomeNotice(Outcome outcome)
{
    switch (outcome) {
    case Outcome::NoServer:
        return QStringLiteral("Es ist kein Preislisten-Server eingestellt. Bitte unter "
                              "\"Optionen\" > \"Preislisten-Server ...\" einen angeben.");
    case Outcome::NoAnswer:
        return QStringLiteral("Der Preislisten-Server ist nicht erreichbar oder nennt keine "
                              "Größe der Preisliste.");
    case Outcome::Current:
        return QStringLiteral("Die Preisliste ist aktuell.");
    default:
        return QString();
    }
}

PriceListUpdater::Outcome PriceListUpdater::runCheck()
{
    m_verbindungsaufbau->setCloseAllowed(false);
    m_verbindungsaufbau->showCentred();
    processPending();

    m_updateAvailable = false;
    m_remoteFileSize = 0;
    QString question = QStringLiteral("Folgende Downloads haben sich geändert:\r\n\r\n");
    m_remoteFileSize = Ermittledownload(RemoteFileName);
    processPending();
    Verbindungschliessen();
    if (m_remoteFileSize == 0)
        return fileUrl(RemoteFileName).isEmpty() ? Outcome::NoServer : Outcome::NoAnswer;

    const QString target = m_settings.priceListPath();
    if (!QFileInfo::exists(target) || Ermittlelocalsize(target) != m_remoteFileSize) {
        question += RemoteFileName + QStringLiteral("\r\n");
        m_updateAvailable = true;
    }
    question += QStringLiteral("\r\nSoll diese jetzt per Download geladen werden ?");
    if (!m_updateAvailable)
        return Outcome::Current;

    if (!m_prompter.askYesNo(QStringLiteral("Tarvek Downloadabfrage"), question)) {
        ladenschliessen();
        return Outcome::Declined;
    }
    return download(target) ? Outcome::Downloaded : Outcome::Failed;
}

bool PriceListUpdater::download(const QString& target)
{
    m_laden->setCloseAllowed(false);
    m_laden->setProgress(0);
    m_laden->showCentred();
    QString reason;
    try {
        if (HTTPDownloadfile(RemoteFileName, target)) {
            ladenschliessen();
            return true;
        }
        reason = m_connectionError;
    } catch (const DownloadError& error) {
        reason = error.text();
    }
    // A failed download must not leave a window behind that nobody can close.
    ladenschliessen();
    m_prompter.showError(QStringLiteral("Der Download der Preisliste ist fehlgeschlagen.\r\n\r\n"
                                        "%1\r\n\r\nDie bisherige Preisliste bleibt unverändert.")
                             .arg(reason));
    return false;
}

qint32 PriceListUpdater::Ermittledownload(const QString& name)
{
    const QUrl url = fileUrl(name);
    if (url.isEmpty())
        return 0;
    const HttpClient::Answer answer = m_http.head(url);
    if (answer.failure == HttpClient::Failure::Connection)
        return 0;
    if (answer.failure != HttpClient::Failure::None)
        throw DownloadError(answer.errorText);
    return std::max(toSize32(answer.contentLength), 0);
}

qint32 PriceListUpdater::Ermittlelocalsize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return static_cast<qint32>(std::min<qint64>(file.size(), std::numeric_limits<qint32>::max()));
}

bool PriceListUpdater::HTTPDownloadfile(const QString& name, const QString& target)
{
    m_connectionError.clear();
    const QUrl url = fileUrl(name);
    if (url.isEmpty()) {
        m_connectionError = QStringLiteral("Es ist kein Server eingestellt.");
        return false;
    }
    const HttpClient::Answer size = m_http.head(url);
    if (size.failure == HttpClient::Failure::Connection) {
        m_connectionError = size.errorText;
        return false;
    }
    if (size.failure != HttpClient::Failure::None)
        throw DownloadError(size.errorText);
    m_downloadFileSize = toSize32(size.contentLength);
    const qint64 reported = m_downloadFileSize;

    // The price list itself is replaced only by commit(); until then the pieces go into a
    // temporary file beside it, which is removed again when anything fails. Unbuffered, so that
    // a write that fails (a full disk) is seen at its piece and not lost in the last flush,
    // which commit() does not check.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw DownloadError(cannotCreate(target, file, errno));

    qint64 expectedTotal = reported > 0 ? reported : -1;
    qint64 offset = 0;
    do {
        processPending();
        const bool openRange = reported - offset <= DownloadChunkSize;
        const QString range =
            openRange ? QStringLiteral("%1-").arg(offset)
                      : QStringLiteral("%1-%2").arg(offset).arg(offset + DownloadChunkSize - 1);
        const qint64 maxBody = expectedTotal >= 0 ? expectedTotal - offset : MaxUnknownSize;
        const HttpClient::Answer piece = m_http.get(url, range, maxBody);
        if (piece.failure != HttpClient::Failure::None)
            throw DownloadError(piece.errorText);
        const bool whole = acceptPiece(piece, offset, openRange, expectedTotal);
        writePiece(file, piece.body);
        // A server that tells no size gets 0 until the end instead of a division by it.
        m_laden->setProgress(reported > 0 ? static_cast<int>(offset * 100 / reported) : 0);
        processPending();
        if (whole)
            break;
        offset += DownloadChunkSize;
    } while (offset < reported);

    const qint64 written = file.pos();
    if (written == 0)
        throw DownloadError(QStringLiteral("Der Server hat eine leere Preisliste geschickt."));
    if (expectedTotal >= 0 && written != expectedTotal)
        throw DownloadError(QStringLiteral("Es sind nur %1 von %2 Bytes angekommen.")
                                .arg(written)
                                .arg(expectedTotal));
    if (!file.commit())
        throw DownloadError(cannotCreate(target, file, errno));
    return true;
}

bool PriceListUpdater::acceptPiece(const HttpClient::Answer& piece, qint64 offset, bool openRange,
                                   qint64& expectedTotal) const
{
    if (piece.status == 200 && offset == 0) {
        // The server ignored the range and sent the whole file: take it once.
        if (expectedTotal < 0)
            expectedTotal = piece.contentLength >= 0 ? piece.contentLength : piece.body.size();
        return true;
    }
    if (piece.status != 206)
        throw DownloadError(
            QStringLiteral("Der Server hat ein Teilstück der Preisliste nicht geschickt (HTTP %1).")
                .arg(piece.status));
    const ContentRange range = ContentRange::parse(piece.contentRange);
    const bool fits = range.isValid() && range.first() == offset &&
                      range.length() == piece.body.size() &&
                      (openRange ? range.total() < 0 || range.last() == range.total() - 1
                                 : range.last() == offset + DownloadChunkSize - 1);
    if (!fits)
        throw DownloadError(
            QStringLiteral("Der Server hat ein falsches Teilstück der Preisliste geschickt."));
    if (range.total() >= 0) {
        if (expectedTotal >= 0 && range.total() != expectedTotal)
            throw DownloadError(QStringLiteral(
                "Die Preisliste auf dem Server hat sich während des Downloads geändert."));
        expectedTotal = range.total();
    }
    return false;
}

void PriceListUpdater::writePiece(QSaveFile& file, const QByteArray& body)
{
    if (file.write(body) != body.size())
        throw DownloadError(cannotCreate(file.fileName(), file, errno));
}

void PriceListUpdater::Verbindungschliessen()
{
    m_verbindungsaufbau->closeNow();
}

void PriceListUpdater::ladenschliessen()
{
    m_laden->closeNow();
}
