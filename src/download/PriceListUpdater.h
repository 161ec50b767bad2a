#pragma once

#include "HttpClient.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>

class DownloadPrompter;
class DownloadSettings;
class QSaveFile;
class TLaden;
class TVerbindungsaufbau;

// The price list update at start. When "Download aktiv" is on, the main window calls
// pruefedownload() once while it starts: the size of the server's price list is compared with
// the local one, and a changed list is offered and fetched in ranged pieces, with a wait window
// while the server is asked and a progress window while the list arrives.
//
// The server's host (with an optional port) is the option "Server" of the options file; without
// it the check behaves as with an unreachable server. The download goes into a temporary file
// beside the price list, which is replaced only when every byte has arrived; on any failure the
// old price list stays as it was.
class PriceListUpdater : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 DownloadChunkSize = 40960;
    // Bound for a download whose size the server does not tell.
    static constexpr qint64 MaxUnknownSize = 64 * 1024 * 1024;
    static const QString RemoteFileName;
    static const QString RemotePath;

    // Neither argument is owned; both must outlive the updater. Creates the two windows.
    PriceListUpdater(DownloadSettings& settings, DownloadPrompter& prompter,
                     QObject* parent = nullptr);
    ~PriceListUpdater() override;

    // The longest time a request may stay silent (15 seconds unless set).
    void setTimeout(int timeoutMs) { m_http.setTimeout(timeoutMs); }

    TVerbindungsaufbau& Verbindungsaufbau() const { return *m_verbindungsaufbau; }
    TLaden& Laden() const { return *m_laden; }

    // How one update check ended.
    enum class Outcome
    {
        NoServer,   // no usable "Server" option: nothing was asked
        NoAnswer,   // the server could not be reached or told no size
        Current,    // the local price list has the server's size
        Declined,   // a newer list was offered and not wanted
        Downloaded, // the newer list replaced the local one
        Failed,     // an error, already reported
        Busy        // a check was already running
    };

    // The update check, at start and on request. Reports its own errors and always returns with
    // both windows closed; does nothing when called again while it runs.
    Outcome pruefedownload();
    // What a check the user asked for still has to say once it has ended; empty when the check
    // has said all itself (a question, a download, an error).
    static QString outcomeNotice(Outcome outcome);
    // The size of the named file on the server; 0 when the server cannot be reached or sends
    // no size. Throws DownloadError for any other failure (an HTTP error status, say).
    qint32 Ermittledownload(const QString& name);
    // The size of a local file, opened for reading only; 0 when it cannot be opened.
    static qint32 Ermittlelocalsize(const QString& path);
    // Downloads the named file into target in pieces of DownloadChunkSize bytes. Returns false,
    // with the target untouched, when the server cannot be reached at the start; throws
    // DownloadError, with the target untouched, when the download fails later.
    bool HTTPDownloadfile(const QString& name, const QString& target);
    void Verbindungschliessen();
    void ladenschliessen();

    // The address of a file on the server; empty when no usable server is configured.
    QUrl fileUrl(const QString& name);

    qint32 RemoteFileSize() const { return m_remoteFileSize; }
    bool UpdateAvailable() const { return m_updateAvailable; }
    qint32 DownloadFileSize() const { return m_downloadFileSize; }

private:
    Outcome runCheck();
    bool download(const QString& target);
    // Checks one answer of the download against what was asked for and learns the file's size
    // from it. Returns true when the answer holds the whole file.
    bool acceptPiece(const HttpClient::Answer& piece, qint64 offset, bool openRange,
                     qint64& expectedTotal) const;
    static void writePiece(QSaveFile& file, const QByteArray& body);

    DownloadSettings& m_settings;
    DownloadPrompter& m_prompter;
    HttpClient m_http;
    std::unique_ptr<TVerbindungsaufbau> m_verbindungsaufbau;
    std::unique_ptr<TLaden> m_laden;
    bool m_running = false;
    QString m_connectionError;

    qint32 m_remoteFileSize = 0;
    bool m_updateAvailable = false;
    qint32 m_downloadFileSize = 0;
};
