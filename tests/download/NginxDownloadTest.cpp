#include "download/PriceListUpdater.h"
#include "support/DownloadFakes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using ::testing::ElementsAre;

namespace {

// nginx in the foreground on 127.0.0.1, with configuration, logs, pid and temporary files in a
// folder of its own; stopped when the object goes.
class NginxServer
{
public:
    explicit NginxServer(const QString& binary) : m_binary(binary) {}

    ~NginxServer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000)) {
                m_process.kill();
                m_process.waitForFinished(5000);
            }
        }
    }

    QString root() const { return m_dir.filePath(QStringLiteral("www")); }
    quint16 port() const { return m_port; }
    QString error() const { return m_error; }

    bool start()
    {
        if (!m_dir.isValid() || !QDir().mkpath(root()))
            return fail(QStringLiteral("no temporary folder"));
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return fail(QStringLiteral("no free port"));
        m_port = probe.serverPort();
        probe.close();

        const QString dir = m_dir.path();
        QFile config(m_dir.filePath(QStringLiteral("nginx.conf")));
        if (!config.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write the configuration"));
        config.write(QStringLiteral("daemon off;\n"
                                    "master_process off;\n"
                                    "error_log %1/error.log;\n"
                                    "pid %1/nginx.pid;\n"
                                    "events { worker_connections 32; }\n"
                                    "http {\n"
                                    "  log_format ranges '$request_method $http_range $status';\n"
                                    "  access_log %1/access.log ranges;\n"
                                    "  client_body_temp_path %1/body;\n"
                                    "  proxy_temp_path %1/proxy;\n"
                                    "  fastcgi_temp_path %1/fastcgi;\n"
                                    "  uwsgi_temp_path %1/uwsgi;\n"
                                    "  scgi_temp_path %1/scgi;\n"
                                    "  server { listen 127.0.0.1:%2; root %3; }\n"
                                    "}\n")
                         .arg(dir)
                         .arg(m_port)
                         .arg(root())
                         .toUtf8());
        config.close();

        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(m_binary, {QStringLiteral("-p"), dir, QStringLiteral("-e"),
                                   dir + QStringLiteral("/error.log"), QStringLiteral("-c"),
                                   config.fileName()});
        if (!m_process.waitForStarted(5000))
            return fail(QStringLiteral("nginx did not start"));
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (m_process.state() == QProcess::NotRunning)
                return fail(QStringLiteral("nginx ended: ") +
                            QString::fromLocal8Bit(m_process.readAll()) + readFile("error.log"));
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_port);
            if (socket.waitForConnected(100))
                return true;
            QThread::msleep(50);
        }
        return fail(QStringLiteral("nginx does not listen: ") + readFile("error.log"));
    }

    QString readFile(const char* name) const
    {
        QFile file(m_dir.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    bool fail(const QString& why)
    {
        m_error = why;
        return false;
    }

    QString m_binary;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

QByteArray generatedPriceList()
{
    QByteArray text;
    for (int graphic = 1; text.size() < 100000; ++graphic)
        text += "0x" + QByteArray::number(graphic, 16).rightJustified(4, '0').toUpper() + "|" +
                QByteArray::number((graphic * 37) % 5000) + "\r\n";
    return text.left(100000);
}

} // namespace

TEST(NginxDownloadTest, PriceListArrivesByteForByteFromARealWebServer)
{
    testApp();
    const QString binary = QStandardPaths::findExecutable(
        QStringLiteral("nginx"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    if (binary.isEmpty())
        GTEST_SKIP() << "nginx is not installed (package nginx-light); the test against a real "
                        "web server is skipped";

    NginxServer server(binary);
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    const QByteArray remote = generatedPriceList();
    ASSERT_TRUE(QDir().mkpath(server.root() + QStringLiteral("/downloads/vaskodata")));
    QFile served(server.root() + QStringLiteral("/downloads/vaskodata/preisliste.txt"));
    ASSERT_TRUE(served.open(QIODevice::WriteOnly));
    served.write(remote);
    served.close();

    QTemporaryDir programDir;
    ASSERT_TRUE(programDir.isValid());
    QFile old(programDir.filePath(QStringLiteral("Preisliste.txt")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("0x0001|5\r\n");
    old.close();

    FakeSettings settings(programDir.path());
    settings.serverOption = QStringLiteral("127.0.0.1:%1").arg(server.port());
    FakePrompter prompter;
    PriceListUpdater updater(settings, prompter);
    updater.setTimeout(5000);
    updater.pruefedownload();

    EXPECT_EQ(prompter.questions.size(), 1);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join('\n').toStdString();
    EXPECT_TRUE(prompter.reports.isEmpty()) << prompter.reports.join('\n').toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_TRUE(old.readAll() == remote);
    EXPECT_THAT(server.readFile("access.log").split('\n', Qt::SkipEmptyParts),
                ElementsAre("HEAD - 200", "HEAD - 200", "GET bytes=0-40959 206",
                            "GET bytes=40960-81919 206", "GET bytes=81920- 206"));

    // A second start finds the list current and asks nothing.
    updater.pruefedownload();
    EXPECT_EQ(prompter.questions.size(), 1);
}
