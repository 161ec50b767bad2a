#include "download/PriceListUpdater.h"
#include "download/TLaden.h"
#include "download/TVerbindungsaufbau.h"
#include "support/DownloadFakes.h"
#include "support/TestHttpServer.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Behaviour = TestHttpServer::Behaviour;

namespace {

const QString Question = QStringLiteral("Tarvek Downloadabfrage|"
                                        "Folgende Downloads haben sich geändert:\r\n\r\n"
                                        "preisliste.txt\r\n\r\n"
                                        "Soll diese jetzt per Download geladen werden ?");

// A price list of the given size whose bytes differ from piece to piece.
QByteArray priceList(qsizetype size, char salt = 'a')
{
    QByteArray text;
    for (int line = 0; text.size() < size; ++line)
        text += "0x" + QByteArray::number(0x1000 + line, 16) + "|" + salt +
                QByteArray::number(line * 7) + "\r\n";
    return text.left(size);
}

} // namespace

class PriceListUpdaterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings.serverOption = m_server.authority();
        m_updater.setTimeout(500);
        QObject::connect(&m_updater.Laden(), &TLaden::progressShown,
                         [this](int percent) { m_progress.append(percent); });
    }

    QString localPath() const { return m_dir.filePath(QStringLiteral("Preisliste.txt")); }

    void writeLocal(const QByteArray& content) const
    {
        QFile file(localPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray readLocal() const
    {
        QFile file(localPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QStringList ranges() const
    {
        QStringList values;
        for (const TestHttpServer::Request& request : m_server.requests("GET"))
            values.append(QString::fromLatin1(request.header("range")));
        return values;
    }

    void expectWindowsClosed() const
    {
        EXPECT_FALSE(m_updater.Verbindungsaufbau().isVisible());
        EXPECT_FALSE(m_updater.Laden().isVisible());
    }

    QApplication& m_app = testApp();
    QTemporaryDir m_dir;
    TestHttpServer m_server;
    FakeSettings m_settings{m_dir.path()};
    FakePrompter m_prompter;
    PriceListUpdater m_updater{m_settings, m_prompter};
    QList<int> m_progress;
};

TEST_F(PriceListUpdaterTest, MissingPriceListIsOfferedAndFetchedInRangedPieces)
{
    const QByteArray remote = priceList(100000);
    m_server.setFile(remote);

    m_updater.pruefedownload();

    EXPECT_THAT(m_prompter.questions, ElementsAre(Question));
    EXPECT_EQ(m_updater.RemoteFileSize(), 100000);
    EXPECT_TRUE(m_updater.UpdateAvailable());
    EXPECT_EQ(m_updater.DownloadFileSize(), 100000);
    EXPECT_THAT(ranges(), ElementsAre("bytes=0-40959", "bytes=40960-81919", "bytes=81920-"));
    EXPECT_THAT(m_progress, ElementsAre(0, 0, 40, 81));
    EXPECT_EQ(readLocal(), remote);
    EXPECT_THAT(files(), ElementsAre("Preisliste.txt"));
    EXPECT_TRUE(m_prompter.errors.isEmpty());
    EXPECT_TRUE(m_prompter.reports.isEmpty());
    expectWindowsClosed();
}

TEST_F(PriceListUpdaterTest, EveryRequestCarriesTheFixedHeadersAndNothingElseOfOurs)
{
    m_server.setFile(priceList(50000));
    m_updater.pruefedownload();

    const QList<TestHttpServer::Request>& requests = m_server.requests();
    ASSERT_EQ(requests.size(), 4);
    QStringList methods;
    for (const TestHttpServer::Request& request : requests) {
        methods.append(QString::fromLatin1(request.method));
        EXPECT_EQ(request.path, "/downloads/vaskodata/preisliste.txt");
        EXPECT_EQ(request.header("accept"), "text/html, */*");
        EXPECT_EQ(request.header("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
        EXPECT_EQ(request.header("accept-encoding"), "identity");
        EXPECT_EQ(request.header("host"), m_server.authority());
        // The server hands out a cookie with every answer; it is never sent back.
        EXPECT_FALSE(request.headers.contains("cookie"));
        EXPECT_FALSE(request.headers.contains("authorization"));
        EXPECT_EQ(request.headers.contains("range"), request.method == "GET");
    }
    EXPECT_THAT(methods, ElementsAre("HEAD", "HEAD", "GET", "GET"));
    EXPECT_THAT(ranges(), ElementsAre("bytes=0-40959", "bytes=40960-"));
}

TEST_F(PriceListUpdaterTest, SizesOnAPieceBoundary)
{
    m_server.setFile(priceList(40960));
    m_updater.pruefedownload();
    EXPECT_THAT(ranges(), ElementsAre("bytes=0-"));
    EXPECT_EQ(readLocal().size(), 40960);

    TestHttpServer second;
    m_settings.serverOption = second.authority();
    second.setFile(priceList(81920, 'b'));
    m_progress.clear();
    m_updater.pruefedownload();
    QStringList secondRanges;
    for (const TestHttpServer::Request& request : second.requests("GET"))
        secondRanges.append(QString::fromLatin1(request.header("range")));
    EXPECT_THAT(secondRanges, ElementsAre("bytes=0-40959", "bytes=40960-"));
    EXPECT_THAT(m_progress, ElementsAre(0, 0, 50));
    EXPECT_EQ(readLocal(), priceList(81920, 'b'));
}

TEST_F(PriceListUpdaterTest, LocalListOfTheSameSizeCountsAsCurrent)
{
    writeLocal(priceList(30000, 'x'));
    m_server.setFile(priceList(30000, 'y'));

    m_updater.pruefedownload();

    EXPECT_FALSE(m_updater.UpdateAvailable());
    EXPECT_TRUE(m_prompter.questions.isEmpty());
    EXPECT_TRUE(m_server.requests("GET").isEmpty());
    EXPECT_EQ(readLocal(), priceList(30000, 'x'));
    expectWindowsClosed();
}

TEST_F(PriceListUpdaterTest, AnswerNoFetchesNothingAndTheNextStartAsksAgain)
{
    writeLocal("0x0001|5\r\n");
    m_server.setFile(priceList(20000));
    m_prompter.answer = false;

    m_updater.pruefedownload();
    m_updater.pruefedownload();

    EXPECT_THAT(m_prompter.questions, ElementsAre(Question, Question));
    EXPECT_TRUE(m_server.requests("GET").isEmpty());
    EXPECT_EQ(readLocal(), "0x0001|5\r\n");
    expectWindowsClosed();
}

TEST_F(PriceListUpdaterTest, ExistingListIsFoundWhateverItsLetterCase)
{
    QFile upper(m_dir.filePath(QStringLiteral("PREISLISTE.TXT")));
    ASSERT_TRUE(upper.open(QIODevice::WriteOnly));
    upper.write("old");
    upper.close();
    m_server.setFile(priceList(1000));

    m_updater.pruefedownload();

    EXPECT_THAT(files(), ElementsAre("PREISLISTE.TXT"));
    ASSERT_TRUE(upper.open(QIODevice::ReadOnly));
    EXPECT_EQ(upper.readAll(), priceList(1000));
}

TEST_F(PriceListUpdaterTest, UnreachableOrMissingServerShowsNothing)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QString address = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
    closed.close();

    for (const QString& server : {address, QString(), QStringLiteral("not a host name!")}) {
        m_settings.serverOption = server;
        m_updater.pruefedownload();
        EXPECT_EQ(m_updater.RemoteFileSize(), 0) << server.toStdString();
        expectWindowsClosed();
    }
    EXPECT_TRUE(m_prompter.questions.isEmpty());
    EXPECT_TRUE(m_prompter.errors.isEmpty());
    EXPECT_TRUE(m_prompter.reports.isEmpty());
    EXPECT_THAT(files(), ElementsAre());
}

TEST_F(PriceListUpdaterTest, ServerAddressMayCarrySchemeAndSlash)
{
    m_settings.serverOption = QStringLiteral(" http://example.org:8080/ ");
    EXPECT_EQ(m_updater.fileUrl(QStringLiteral("preisliste.txt")).toString(),
              "http://example.org:8080/downloads/vaskodata/preisliste.txt");
    m_settings.serverOption = QStringLiteral("user:pw@example.org");
    EXPECT_TRUE(m_updater.fileUrl(QStringLiteral("preisliste.txt")).isEmpty());
}

TEST_F(PriceListUpdaterTest, SizeRequestWithoutSizeAsksNothing)
{
    m_server.setFile(priceList(5000));
    m_server.setBehaviour("HEAD", Behaviour::NoContentLength);

    m_updater.pruefedownload();

    EXPECT_EQ(m_updater.RemoteFileSize(), 0);
    EXPECT_TRUE(m_prompter.questions.isEmpty());
    expectWindowsClosed();
}

TEST_F(PriceListUpdaterTest, HttpErrorOfTheCheckGoesToTheGeneralErrorReport)
{
    writeLocal("old");
    m_server.setBehaviour("HEAD", Behaviour::NotFound);

    m_updater.pruefedownload();

    EXPECT_THAT(m_prompter.reports, ElementsAre("HTTP/1.1 404 Not Found"));
    EXPECT_TRUE(m_prompter.questions.isEmpty());
    EXPECT_EQ(readLocal(), "old");
    expectWindowsClosed();
}

// A server that takes the connection and never answers must not hang the start.
TEST_F(PriceListUpdaterTest, SilentServerAtTheCheckCountsAsUnreachable)
{
    m_server.setBehaviour("HEAD", Behaviour::Silent);
    m_updater.pruefedownload();
    EXPECT_EQ(m_updater.RemoteFileSize(), 0);
    EXPECT_TRUE(m_prompter.reports.isEmpty());
    expectWindowsClosed();

    m_server.setBehaviour("HEAD", Behaviour::CloseAtOnce);
    m_updater.pruefedownload();
    EXPECT_EQ(m_updater.RemoteFileSize(), 0);
    EXPECT_TRUE(m_prompter.reports.isEmpty());
}

struct BrokenDownload
{
    const char* name;
    QByteArray method;
    Behaviour behaviour;
    int fromIndex;
    const char* reason;
};

void PrintTo(const BrokenDownload& broken, std::ostream* out)
{
    *out << broken.name;
}

class BrokenDownloadTest : public PriceListUpdaterTest,
                           public ::testing::WithParamInterface<BrokenDownload>
{};

// Every way a download can break keeps the old price list, leaves no temporary file behind,
// closes the progress window and tells the user.
TEST_P(BrokenDownloadTest, OldPriceListStaysAndTheUserIsTold)
{
    const BrokenDownload& broken = GetParam();
    writeLocal("0x0001|5\r\n");
    m_server.setFile(priceList(100000));
    m_server.setBehaviour(broken.method, broken.behaviour, broken.fromIndex);

    m_updater.pruefedownload();

    EXPECT_THAT(m_prompter.questions, ElementsAre(Question));
    EXPECT_EQ(readLocal(), "0x0001|5\r\n");
    EXPECT_THAT(files(), ElementsAre("Preisliste.txt"));
    ASSERT_EQ(m_prompter.errors.size(), 1);
    EXPECT_THAT(m_prompter.errors[0].toStdString(),
                HasSubstr("Der Download der Preisliste ist fehlgeschlagen."));
    EXPECT_THAT(m_prompter.errors[0].toStdString(), HasSubstr(broken.reason));
    EXPECT_THAT(m_prompter.errors[0].toStdString(),
                HasSubstr("Die bisherige Preisliste bleibt unverändert."));
    EXPECT_TRUE(m_prompter.reports.isEmpty());
    expectWindowsClosed();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, BrokenDownloadTest,
    ::testing::Values(
        BrokenDownload{"UnreachableAtStart", "HEAD", Behaviour::CloseAtOnce, 1,
                       "vorzeitig beendet"},
        BrokenDownload{"ClosedInTheMiddleOfAPiece", "GET", Behaviour::CloseMidBody, 1,
                       "vorzeitig beendet"},
        BrokenDownload{"SilentDuringAPiece", "GET", Behaviour::Silent, 2, "Zeitüberschreitung"},
        BrokenDownload{"PieceNotFound", "GET", Behaviour::NotFound, 1, "404 Not Found"},
        BrokenDownload{"PieceAtTheWrongOffset", "GET", Behaviour::WrongRangeStart, 1,
                       "falsches Teilstück"},
        BrokenDownload{"WholeFileForALaterPiece", "GET", Behaviour::IgnoreRange, 1,
                       "länger als erwartet"},
        BrokenDownload{"SizeRequestOfTheDownloadNotFound", "HEAD", Behaviour::NotFound, 1,
                       "HTTP/1.1 404 Not Found"}),
    [](const ::testing::TestParamInfo<BrokenDownload>& input) { return input.param.name; });

TEST_F(PriceListUpdaterTest, ServerIgnoringTheRangeGivesTheFileOnce)
{
    writeLocal("old");
    const QByteArray remote = priceList(100000);
    m_server.setFile(remote);
    m_server.setBehaviour("GET", Behaviour::IgnoreRange);

    m_updater.pruefedownload();

    EXPECT_EQ(m_server.requests("GET").size(), 1);
    EXPECT_EQ(readLocal(), remote);
    EXPECT_TRUE(m_prompter.errors.isEmpty());
    expectWindowsClosed();
}

TEST_F(PriceListUpdaterTest, DownloadWithoutAReportedSizeShowsZeroUntilTheEnd)
{
    const QByteArray remote = priceList(100000);
    m_server.setFile(remote);
    // The check learns the size; the download's own size request gets none.
    m_server.setBehaviour("HEAD", Behaviour::NoContentLength, 1);

    m_updater.pruefedownload();

    EXPECT_EQ(m_updater.DownloadFileSize(), -1);
    EXPECT_THAT(ranges(), ElementsAre("bytes=0-"));
    EXPECT_THAT(m_progress, ElementsAre(0, 0));
    EXPECT_EQ(readLocal(), remote);
    EXPECT_TRUE(m_prompter.errors.isEmpty());
}

TEST_F(PriceListUpdaterTest, TargetThatCannotBeCreatedIsReported)
{
    const QByteArray remote = priceList(1000);
    m_server.setFile(remote);
    const QString missingDir = m_dir.filePath(QStringLiteral("fehlt"));

    EXPECT_THROW(m_updater.HTTPDownloadfile(QStringLiteral("preisliste.txt"),
                                            missingDir + QStringLiteral("/Preisliste.txt")),
                 std::exception);
    EXPECT_TRUE(m_server.requests("GET").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missingDir));
}

TEST_F(PriceListUpdaterTest, LocalSizeIsReadWithoutAskingForWriteAccess)
{
    writeLocal(priceList(1234));
    ASSERT_TRUE(QFile::setPermissions(localPath(), QFileDevice::ReadOwner | QFileDevice::ReadUser));
    EXPECT_EQ(PriceListUpdater::Ermittlelocalsize(localPath()), 1234);
    EXPECT_EQ(PriceListUpdater::Ermittlelocalsize(m_dir.filePath(QStringLiteral("fehlt.txt"))), 0);
}

TEST_F(PriceListUpdaterTest, CheckDoesNotStartAgainWhileItRuns)
{
    m_server.setFile(priceList(1000));
    m_prompter.answer = false;
    m_prompter.onQuestion = [this] { m_updater.pruefedownload(); };

    m_updater.pruefedownload();

    EXPECT_EQ(m_prompter.questions.size(), 1);
    EXPECT_EQ(m_server.requests("HEAD").size(), 1);
}
