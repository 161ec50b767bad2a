// The price list over HTTPS through the real download path: a local TLS server whose certificate
// comes from a certificate authority made for the test, trusted or not, and the redirects between
// http and https.
#include "download/PriceListUpdater.h"
#include "download/ServerAddress.h"
#include "support/DownloadFakes.h"
#include "support/LinuxTool.h"
#include "support/TestHttpServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#if QT_CONFIG(ssl)
#include <QSslConfiguration>
#include <QSslSocket>
#endif

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(ServerAddressTest, HttpsIsKeptAndABareHostStaysPlainHttp)
{
    EXPECT_EQ(ServerAddress::normalized(QStringLiteral(" HTTPS://Preise.example.org:8443/ ")),
              "https://preise.example.org:8443");
    EXPECT_EQ(ServerAddress::url(QStringLiteral("https://preise.example.org:8443"),
                                 QStringLiteral("/a.txt"))
                  .toString(),
              "https://preise.example.org:8443/a.txt");
    EXPECT_EQ(ServerAddress::normalized(QStringLiteral("preise.example.org:8080")),
              "preise.example.org:8080");
    EXPECT_EQ(ServerAddress::normalized(QStringLiteral("http://preise.example.org")),
              "preise.example.org");
    for (const char* bad : {"ftp://preise.example.org", "https://", "https://wer@host",
                            "https://host:0", "http://https://host"})
        EXPECT_EQ(ServerAddress::normalized(QString::fromLatin1(bad)), QString()) << bad;
}

#ifdef _WIN32
// The copy for Windows encrypts with Windows' own TLS, which checks certificates against the
// system's store; its plug-in lies beside the program.
TEST(TlsBackendTest, WindowsCopyLoadsSchannel)
{
    testApp();
#if QT_CONFIG(ssl)
    EXPECT_TRUE(QSslSocket::availableBackends().contains(QStringLiteral("schannel")))
        << QSslSocket::availableBackends().join(u' ').toStdString();
    EXPECT_TRUE(QSslSocket::supportsSsl());
#else
    ADD_FAILURE() << "Qt for Windows ohne TLS gebaut";
#endif
}
#endif

#if QT_CONFIG(ssl)
namespace {

// A certificate authority and a server certificate for 127.0.0.1 that it signed, made with the
// openssl command of the Linux host when the tests start.
struct TestCertificates
{
    QSslCertificate authority;
    QSslCertificate server;
    QSslKey key;
};

const TestCertificates& certificates()
{
    static const TestCertificates made = [] {
        TestCertificates result;
        QTemporaryDir dir;
        QFile extensions(dir.filePath(QStringLiteral("ext.cnf")));
        if (!extensions.open(QIODevice::WriteOnly))
            return result;
        extensions.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n");
        extensions.close();
        const QString script = QStringLiteral(
            "cd \"$1\" && k='-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes' && "
            "openssl req -x509 $k -keyout ca.key -out ca.pem -days 2 -subj '/CN=Tarvek Test-CA' "
            "&& openssl req -new $k -keyout server.key -out server.csr -subj /CN=127.0.0.1 && "
            "openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 "
            "-extfile ext.cnf -out server.pem && echo fertig");
        const QString done = linuxToolOutput(
            QStringLiteral("sh"), {QStringLiteral("-c"), script, QStringLiteral("sh"), dir.path()});
        if (!done.contains(QLatin1String("fertig")))
            return result;
        const auto read = [&dir](const char* name) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        result.authority = QSslCertificate(read("ca.pem"));
        result.server = QSslCertificate(read("server.pem"));
        result.key = QSslKey(read("server.key"), QSsl::Ec);
        return result;
    }();
    return made;
}

} // namespace

class TlsDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifdef _WIN32
        // Wine's Schannel speaks TLS as a client only: the test's own server cannot answer there.
        // The Windows copy's TLS backend is checked by TlsBackendTest.
        if (GetProcAddress(GetModuleHandleW(L"ntdll"), "wine_get_version") != nullptr) {
            GTEST_SKIP() << "Wine's Schannel cannot act as the TLS server of this test";
        }
#endif
        ASSERT_TRUE(QSslSocket::supportsSsl()) << QSslSocket::activeBackend().toStdString();
        const TestCertificates& made = certificates();
        ASSERT_FALSE(made.server.isNull()) << "openssl konnte keine Zertifikate erzeugen";
        ASSERT_FALSE(made.key.isNull());
        m_tls.useTls(made.server, made.key);
        m_updater.setTimeout(5000);
        QFile local(localPath());
        ASSERT_TRUE(local.open(QIODevice::WriteOnly));
        local.write("old");
    }

    void TearDown() override
    {
        QSslConfiguration::setDefaultConfiguration(m_original);
    }

    // The test's certificate authority as one the system trusts, for this process only.
    void trustTestAuthority()
    {
        QSslConfiguration trusting = m_original;
        trusting.addCaCertificate(certificates().authority);
        QSslConfiguration::setDefaultConfiguration(trusting);
    }

    void useServer(const QByteArray& address)
    {
        m_settings.serverOption = QString::fromLatin1(address);
    }

    QString localPath() const
    {
        return m_dir.filePath(QStringLiteral("Preisliste.txt"));
    }
    QByteArray readLocal() const
    {
        QFile file(localPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QStringList ranges(const TestHttpServer& server)
    {
        QStringList values;
        for (const TestHttpServer::Request& request : server.requests("GET"))
            values.append(QString::fromLatin1(request.header("range")));
        return values;
    }
    static QByteArray priceList()
    {
        QByteArray text;
        for (int line = 0; text.size() < 90000; ++line)
            text += "0x" + QByteArray::number(0x2000 + line, 16) + "|Teil|" +
                    QByteArray::number(line) + "\r\n";
        return text;
    }

    QApplication& m_app = testApp();
    const QSslConfiguration m_original = QSslConfiguration::defaultConfiguration();
    QTemporaryDir m_dir;
    TestHttpServer m_tls;
    TestHttpServer m_plain;
    FakeSettings m_settings{m_dir.path()};
    FakePrompter m_prompter;
    PriceListUpdater m_updater{m_settings, m_prompter};
};

// Nothing about the server can be trusted: the check ends with a message naming the server, and
// nothing is asked or loaded.
TEST_F(TlsDownloadTest, UntrustedCertificateIsRefusedAndTheOldListStays)
{
    m_tls.setFile(priceList());
    useServer(m_tls.base());

    EXPECT_EQ(m_updater.pruefedownload(), PriceListUpdater::Outcome::Failed);

    ASSERT_EQ(m_prompter.reports.size(), 1);
    const std::string report = m_prompter.reports[0].toStdString();
    EXPECT_THAT(report, HasSubstr("Das Zertifikat des Servers 127.0.0.1 kann nicht bestätigt"));
    EXPECT_THAT(report, HasSubstr("keine vertrauenswürdige Zertifizierungsstelle"));
    EXPECT_TRUE(m_prompter.questions.isEmpty());
    EXPECT_TRUE(m_tls.requests().isEmpty());
    EXPECT_EQ(readLocal(), "old");
    EXPECT_THAT(QDir(m_dir.path()).entryList(QDir::Files), ElementsAre("Preisliste.txt"));
}

// The plain server sends every request on to the trusted one, which gives the list in ranged
// pieces.
TEST_F(TlsDownloadTest, RedirectFromHttpToHttpsIsFollowedAndTheListComesInRangedPieces)
{
    trustTestAuthority();
    m_tls.setFile(priceList());
    m_plain.redirectTo(m_tls.base());
    useServer(m_plain.authority());

    EXPECT_EQ(m_updater.pruefedownload(), PriceListUpdater::Outcome::Downloaded);

    EXPECT_EQ(m_plain.requests().size(), 5);
    EXPECT_THAT(ranges(m_tls), ElementsAre("bytes=0-40959", "bytes=40960-81919", "bytes=81920-"));
    EXPECT_EQ(m_tls.requests("HEAD").value(0).path, "/downloads/vaskodata/preisliste.txt");
    EXPECT_EQ(readLocal(), priceList());
    EXPECT_TRUE(m_prompter.errors.isEmpty());
    EXPECT_TRUE(m_prompter.reports.isEmpty());
}

TEST_F(TlsDownloadTest, RedirectFromHttpsToHttpIsRefused)
{
    trustTestAuthority();
    m_plain.setFile(priceList());
    m_tls.redirectTo(m_plain.base());
    useServer(m_tls.base());

    EXPECT_EQ(m_updater.pruefedownload(), PriceListUpdater::Outcome::Failed);

    ASSERT_EQ(m_prompter.reports.size(), 1);
    EXPECT_THAT(m_prompter.reports[0].toStdString(),
                HasSubstr("auf eine unverschlüsselte Adresse (http://) um"));
    EXPECT_TRUE(m_plain.requests().isEmpty());
    EXPECT_EQ(readLocal(), "old");
}
#endif
