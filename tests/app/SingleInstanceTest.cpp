#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SingleInstanceTest : public ::testing::Test
{
protected:
    // Starts a probe that takes the lock and keeps it until its input is closed.
    void startHolder(QProcess& holder) const
    {
        holder.start(QStringLiteral(PROBE_PATH), {QStringLiteral("hold"), m_dir.path()});
        ASSERT_TRUE(holder.waitForStarted());
        ASSERT_TRUE(holder.waitForReadyRead(10000));
        ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));
    }
    // What a copy started now reports.
    QByteArray secondCopy() const
    {
        QProcess probe;
        probe.start(QStringLiteral(PROBE_PATH), {QStringLiteral("try"), m_dir.path()});
        EXPECT_TRUE(probe.waitForFinished(10000));
        return probe.readAllStandardOutput().trimmed();
    }
    // Handles events until the process has ended.
    static void waitForEnd(QProcess& process)
    {
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        if (process.state() != QProcess::NotRunning) {
            loop.exec();
        }
    }

    QTemporaryDir m_dir;
};

TEST_F(SingleInstanceTest, ASecondCopyIsRefusedWhileTheFirstRuns)
{
    QProcess holder;
    startHolder(holder);
    EXPECT_EQ(secondCopy(), QByteArray("busy"));

#ifndef Q_OS_WIN
    // However old a live lock file is, it is never taken over (Windows: a named mutex).
    const QString lock = m_dir.filePath(QStringLiteral("Tarvek"));
    QFile file(lock);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(secondCopy(), QByteArray("busy"));
#endif

    holder.closeWriteChannel(); // the first copy ends normally
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(secondCopy(), QByteArray("locked"));
}

TEST_F(SingleInstanceTest, TheLockOfACrashedCopyDoesNotBlockTheNextStart)
{
    QProcess holder;
    startHolder(holder);
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
#ifndef Q_OS_WIN
    EXPECT_TRUE(
        QFile::exists(m_dir.filePath(QStringLiteral("Tarvek")))); // left behind, not in the way
#endif
    EXPECT_EQ(secondCopy(), QByteArray("locked"));
}

TEST_F(SingleInstanceTest, TheSameProcessKeepsItsLock)
{
    SingleInstance instance(m_dir.path());
    EXPECT_TRUE(instance.acquire());
    EXPECT_TRUE(instance.acquire());
    EXPECT_EQ(secondCopy(), QByteArray("busy"));
    EXPECT_EQ(SingleInstance::message(),
              QStringLiteral("Tarvek läuft bereits und kann nur einmal gestartet werden"));
}

TEST_F(SingleInstanceTest, ALaterStartHandsItsFileOverWithoutWaitingForTheRunningCopy)
{
    static int argc = 1;
    static char name[] = "single_instance_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);

    SingleInstance running(m_dir.path());
    ASSERT_TRUE(running.acquire());
    QProcess sender;
    QStringList received;
    // The running copy handles the file as a message box would: it returns only once the later
    // start has ended, so that start must have had its answer before.
    QObject::connect(&running, &SingleInstance::fileReceived, [&](const QString& file) {
        received.append(file);
        waitForEnd(sender);
    });
    const QString file = m_dir.filePath(QStringLiteral("Haus Größe 100%\n2.cfg"));
    sender.start(QStringLiteral(PROBE_PATH),
                 {QStringLiteral("send"), m_dir.path(), file, QStringLiteral("10000")});
    waitForEnd(sender);
    EXPECT_EQ(sender.readAllStandardOutput().trimmed(), QByteArray("taken"));
    QCoreApplication::processEvents();
    EXPECT_EQ(received, QStringList{file});
}

} // namespace
