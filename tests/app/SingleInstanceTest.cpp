// The single-instance lock and the hand-over of a later start's file, through the real lock, the
// real socket and separate processes (single_instance_probe), as a hostile local program would
// meet them.
#include "app/SingleInstance.h"
#include "app/HandOverRequest.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The event loop of the tests whose running copy is this process.
QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "single_instance_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

// Handles events for `ms` milliseconds.
void handleEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Handles events until the process has ended.
void waitForEnd(QProcess& process)
{
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning) {
        loop.exec();
    }
}

// Handles events until the process has printed a line, and returns it.
QByteArray lineOf(QProcess& process)
{
    QElapsedTimer timer;
    timer.start();
    while (!process.canReadLine() && process.state() != QProcess::NotRunning &&
           timer.elapsed() < 20000) {
        handleEvents(10);
    }
    process.waitForReadyRead(0);
    return process.readLine().trimmed();
}

#ifndef _WIN32
// The account "nobody" when this test runs as root and can so make processes of another user;
// nothing otherwise.
const passwd* otherUser()
{
    return getuid() == 0 ? getpwnam("nobody") : nullptr;
}

struct Mode
{
    uid_t owner;
    mode_t mode;
};
Mode modeOf(const QString& path)
{
    struct stat status
    {};
    EXPECT_EQ(lstat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
    return {status.st_uid, status.st_mode & 07777};
}
#endif

class SingleInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override { application(); }

    // Starts a probe (with the environment `environment`, when given).
    static void startProbe(QProcess& probe, const QStringList& arguments,
                           const QProcessEnvironment& environment = QProcessEnvironment())
    {
        if (!environment.isEmpty()) {
            probe.setProcessEnvironment(environment);
        }
        probe.start(QStringLiteral(PROBE_PATH), arguments);
        ASSERT_TRUE(probe.waitForStarted());
    }
    // Starts a probe that takes the lock and keeps it until its input is closed.
    void startHolder(QProcess& holder, const QString& folder,
                     const QProcessEnvironment& environment = QProcessEnvironment()) const
    {
        startProbe(holder, {QStringLiteral("hold"), folder}, environment);
        ASSERT_TRUE(holder.waitForReadyRead(10000));
        ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));
    }
    void startHolder(QProcess& holder) const { startHolder(holder, m_dir.path()); }
    // What a probe reports in the end, with its exit code.
    static std::pair<QByteArray, int> probe(const QStringList& arguments,
                                            const QProcessEnvironment& environment = {})
    {
        QProcess process;
        startProbe(process, arguments, environment);
        waitForEnd(process);
        return {process.readAllStandardOutput().trimmed(), process.exitCode()};
    }
    // What a copy started now reports.
    QByteArray secondCopy() const { return probe({QStringLiteral("try"), m_dir.path()}).first; }
    // What a later start with `file` reports, with its exit code.
    std::pair<QByteArray, int> send(const QString& file, int ms = 10000,
                                    const QStringList& options = {}) const
    {
        return probe(options +
                     QStringList{QStringLiteral("send"), m_dir.path(), file, QString::number(ms)});
    }
    // This process as the running copy, recording the files it receives.
    void run(SingleInstance& running)
    {
        ASSERT_EQ(running.acquire(), SingleInstance::Lock::Taken);
        QObject::connect(&running, &SingleInstance::fileReceived,
                         [this](const QString& file) { m_received.append(file); });
    }
    // The files received, once the events queued for them are handled.
    QStringList received()
    {
        handleEvents(50);
        return m_received;
    }

    QTemporaryDir m_dir;
    QStringList m_received;
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
    EXPECT_EQ(instance.acquire(), SingleInstance::Lock::Taken);
    EXPECT_EQ(instance.acquire(), SingleInstance::Lock::Taken);
    EXPECT_EQ(secondCopy(), QByteArray("busy"));
    EXPECT_EQ(SingleInstance::message(),
              QStringLiteral("Tarvek läuft bereits und kann nur einmal gestartet werden"));
}

TEST_F(SingleInstanceTest, ALaterStartHandsItsFileOverWithoutWaitingForTheRunningCopy)
{
    SingleInstance running(m_dir.path());
    ASSERT_EQ(running.acquire(), SingleInstance::Lock::Taken);
    QProcess sender;
    QStringList received;
    // The running copy handles the file as a message box would: it returns only once the later
    // start has ended, so that start must have had its answer before.
    QObject::connect(&running, &SingleInstance::fileReceived, [&](const QString& file) {
        received.append(file);
        waitForEnd(sender);
    });
    const QString file = m_dir.filePath(QStringLiteral("Haus Größe 100%\n2.cfg"));
    startProbe(sender, {QStringLiteral("send"), m_dir.path(), file, QStringLiteral("10000")});
    waitForEnd(sender);
    EXPECT_EQ(sender.readAllStandardOutput().trimmed(), QByteArray("taken"));
    EXPECT_EQ(sender.exitCode(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(received, QStringList{file});
}

// Whoever connects and sends nothing, or more than a request may hold, is dropped (the
// oversized one at once, the silent one after a short time); the next hand-over is taken
// meanwhile.
TEST_F(SingleInstanceTest, ASilentClientAndAnOversizedRequestAreDroppedAndTheNextHandOverWorks)
{
    SingleInstance running(m_dir.path());
    run(running);
    QProcess silent;
    QProcess flood;
    startProbe(silent, {QStringLiteral("silent"), m_dir.path()});
    startProbe(flood, {QStringLiteral("flood"), m_dir.path(),
                       QString::number(HandOverRequest::MaxSize + 4096)});
    ASSERT_EQ(lineOf(silent), QByteArray("connected"));
    ASSERT_EQ(lineOf(flood), QByteArray("connected"));

    const QString file = m_dir.filePath(QStringLiteral("Haus.cfg"));
    EXPECT_EQ(send(file).first, QByteArray("taken"));
    EXPECT_EQ(received(), QStringList{file});
    for (QProcess* client : {&flood, &silent}) {
        const QByteArray dropped = lineOf(*client);
        ASSERT_TRUE(dropped.startsWith("dropped after ")) << dropped.constData();
        EXPECT_LE(dropped.mid(14).split(' ').front().toInt(), SingleInstance::ReadTimeoutMs + 3000);
        waitForEnd(*client);
    }
}

// A later start that finds no listener yet (the first copy between its lock and its socket,
// here also a socket left by a copy that crashed) tries again until its deadline.
TEST_F(SingleInstanceTest, AHandOverWaitsForAListenerThatAppearsBeforeTheDeadline)
{
    QProcess crashed;
    startHolder(crashed);
    crashed.kill();
    ASSERT_TRUE(crashed.waitForFinished(10000));
#ifndef Q_OS_WIN
    ASSERT_TRUE(QFileInfo::exists(InstanceLock::serverName(m_dir.path()))); // left behind
#endif

    const QString file = m_dir.filePath(QStringLiteral("Haus.cfg"));
    QProcess sender;
    startProbe(sender, {QStringLiteral("send"), m_dir.path(), file, QStringLiteral("15000")});
    handleEvents(1000);
    ASSERT_EQ(sender.state(), QProcess::Running);
    SingleInstance running(m_dir.path());
    run(running);
    waitForEnd(sender);
    EXPECT_EQ(sender.readAllStandardOutput().trimmed(), QByteArray("taken"));
    EXPECT_EQ(received(), QStringList{file});
}

// A start whose file cannot be handed over names the file and ends with a non-zero exit code;
// a start without a file says that Tarvek runs.
TEST_F(SingleInstanceTest, AFailedHandOverNamesTheFileAndExitsNonZero)
{
    QProcess holder; // listens, but never answers
    startHolder(holder);
    const QString file = m_dir.filePath(QStringLiteral("Größe.cfg"));
    const auto [text, code] =
        probe({QStringLiteral("start"), m_dir.path(), file, QStringLiteral("1500")});
    EXPECT_EQ(QString::fromUtf8(text),
              QStringLiteral("message: Die Importdatei %1 wurde nicht geöffnet. Tarvek läuft "
                             "bereits, antwortet aber nicht.")
                  .arg(QDir::toNativeSeparators(file)));
    EXPECT_EQ(code, 1);

    const auto [alone, aloneCode] = probe({QStringLiteral("start"), m_dir.path()});
    EXPECT_EQ(QString::fromUtf8(alone), QStringLiteral("message: ") + SingleInstance::message());
    EXPECT_EQ(aloneCode, 0);
    holder.closeWriteChannel();
    holder.waitForFinished(10000);
}

// The running copy refuses a folder and a device (which would keep it reading for ever), and a
// relative name is not even sent.
TEST_F(SingleInstanceTest, TheRunningCopyRefusesWhatIsNoPlainFile)
{
    SingleInstance running(m_dir.path());
    run(running);
    const std::pair<QByteArray, int> refused{"refused", 1};
    EXPECT_EQ(send(m_dir.path()), refused);
#ifndef Q_OS_WIN
    EXPECT_EQ(send(QStringLiteral("/dev/zero")), refused);
#endif
    EXPECT_EQ(send(QStringLiteral("Haus.cfg")).first, QByteArray("unsendable"));
    EXPECT_TRUE(received().isEmpty());
}

// The stand-in for a process of another user: a later start sends nothing to such a listener,
// and the running copy takes nothing from such a client.
TEST_F(SingleInstanceTest, NoFileGoesToOrComesFromAProcessOfAnotherUser)
{
    SingleInstance running(m_dir.path());
    run(running);
    const QString file = m_dir.filePath(QStringLiteral("Haus.cfg"));
    EXPECT_EQ(send(file, 10000, {QStringLiteral("--foreign-peer")}),
              std::make_pair(QByteArray("foreign"), 1));
    running.setPeerCheck(
        [](qintptr, InstanceLock::Peer peer) { return peer != InstanceLock::Peer::Client; });
    EXPECT_EQ(send(file, 1500), std::make_pair(QByteArray("no answer"), 1));
    EXPECT_TRUE(received().isEmpty());
}

#ifndef Q_OS_WIN
// A real process of another user listening where the running copy's socket would be (as it could
// in a folder that others may write): the later start sees its user and sends it nothing.
TEST_F(SingleInstanceTest, ASocketOfAnotherUsersProcessGetsNoFile)
{
    const passwd* other = otherUser();
    if (other == nullptr) {
        GTEST_SKIP() << "needs root, to start a process of the user nobody";
    }
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    const QString folder = m_dir.filePath(QStringLiteral("fremd"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(chown(QFile::encodeName(folder).constData(), other->pw_uid, other->pw_gid), 0);

    QProcess squatter;
    startProbe(squatter, {QStringLiteral("--as-nobody"), QStringLiteral("squat"), folder});
    const QByteArray listening = lineOf(squatter);
    if (listening != QByteArray("listening")) {
        squatter.kill();
        squatter.waitForFinished(10000);
        FAIL() << listening.constData();
    }
    const QString file = m_dir.filePath(QStringLiteral("Geheim.cfg"));
    const auto [text, code] = probe({QStringLiteral("send"), folder, file, QStringLiteral("5000")});
    EXPECT_EQ(text, QByteArray("foreign"));
    EXPECT_EQ(code, 1);
    handleEvents(200);
    squatter.closeWriteChannel();
    waitForEnd(squatter);
    const QByteArray heard = squatter.readAllStandardOutput();
    EXPECT_FALSE(heard.contains("got ")) << heard.constData();
}

// Where the lock and the socket live by default: the lock in tarvek/instance/ in the user's cache
// folder, made with mode 0700; the socket in $XDG_RUNTIME_DIR when it is the user's own with mode
// 0700, else beside the lock.
class LockFolderTest : public SingleInstanceTest
{
protected:
    void SetUp() override
    {
        SingleInstanceTest::SetUp();
        m_home = m_dir.filePath(QStringLiteral("home"));
        m_runtime = m_dir.filePath(QStringLiteral("run"));
        ASSERT_TRUE(QDir().mkpath(m_home));
        ASSERT_TRUE(QDir().mkpath(m_runtime));
        ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
        ASSERT_EQ(chmod(QFile::encodeName(m_runtime).constData(), 0700), 0);
    }
    // The environment of a start with this home and, unless empty, this runtime folder.
    QProcessEnvironment environment(const QString& runtime) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home);
        environment.remove(QStringLiteral("XDG_CACHE_HOME"));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        if (!runtime.isEmpty()) {
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        }
        return environment;
    }
    QString cacheFolder() const { return m_home + QStringLiteral("/.cache/tarvek/instance"); }
    // A copy started with this runtime folder holds its lock in the cache folder and listens in
    // `socketFolder`; a second one is refused.
    void expectLockIn(const QString& runtime, const QString& socketFolder) const
    {
        QProcess holder;
        startHolder(holder, QStringLiteral("-"), environment(runtime));
        EXPECT_TRUE(QFileInfo::exists(cacheFolder() + QStringLiteral("/Tarvek")));
        EXPECT_TRUE(QFileInfo::exists(socketFolder + QStringLiteral("/Tarvek.socket")));
        EXPECT_EQ(probe({QStringLiteral("try"), QStringLiteral("-")}, environment(runtime)).first,
                  QByteArray("busy"));
        const Mode folder = modeOf(cacheFolder());
        EXPECT_EQ(folder.owner, geteuid());
        EXPECT_EQ(folder.mode, 0700u);
        holder.closeWriteChannel();
        holder.waitForFinished(10000);
    }

    QString m_home;
    QString m_runtime;
};

TEST_F(LockFolderTest, TheCacheFolderHoldsTheLockAndARuntimeFolderOfTheUsersAloneTheSocket)
{
    // No runtime folder, one that is no folder, a relative one, one that others may enter, one of
    // another user: the cache folder, made for the user alone.
    expectLockIn(QString(), cacheFolder());
    EXPECT_EQ(modeOf(m_home + QStringLiteral("/.cache")).mode, 0700u);
    EXPECT_EQ(modeOf(m_home + QStringLiteral("/.cache/tarvek")).mode, 0700u);
    expectLockIn(m_runtime + QStringLiteral("/nicht-da"), cacheFolder());
    expectLockIn(QStringLiteral("run"), cacheFolder());
    ASSERT_EQ(chmod(QFile::encodeName(m_runtime).constData(), 0755), 0);
    expectLockIn(m_runtime, cacheFolder());
    ASSERT_EQ(chmod(QFile::encodeName(m_runtime).constData(), 0700), 0);
    if (const passwd* other = otherUser()) {
        const QByteArray runtime = QFile::encodeName(m_runtime);
        ASSERT_EQ(chown(runtime.constData(), other->pw_uid, other->pw_gid), 0);
        expectLockIn(m_runtime, cacheFolder());
        ASSERT_EQ(chown(runtime.constData(), geteuid(), getegid()), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(m_runtime + QStringLiteral("/Tarvek.socket")));

    expectLockIn(m_runtime, m_runtime);
}

// A copy started from the desktop, with its socket in the runtime folder, and a later start
// without that folder: the lock file leads it to the socket, and the file is handed over.
TEST_F(LockFolderTest, ALaterStartWithoutTheRuntimeFolderFindsTheRunningCopy)
{
    ASSERT_EQ(probe({QStringLiteral("try"), QStringLiteral("-")}, environment({})).first,
              QByteArray("locked")); // makes the cache folder
    SingleInstance running(cacheFolder(), m_runtime);
    run(running);
    EXPECT_TRUE(QFileInfo::exists(m_runtime + QStringLiteral("/Tarvek.socket")));
    const QString file = m_dir.filePath(QStringLiteral("Haus.cfg"));
    EXPECT_EQ(probe({QStringLiteral("start"), QStringLiteral("-"), file}, environment({})),
              std::make_pair(QByteArray("message:"), 0));
    EXPECT_EQ(received(), QStringList{file});
}

// A cache folder that is not the user's alone is reported, with the folder, and not used.
TEST_F(LockFolderTest, ACacheFolderThatIsNotTheUsersAloneIsReported)
{
    const QString folder = cacheFolder();
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0755), 0);
    const auto [text, code] = probe({QStringLiteral("try"), QStringLiteral("-")}, environment({}));
    EXPECT_EQ(QString::fromUtf8(text),
              QStringLiteral("failed: Der Ordner %1 für die Sperrdatei von Tarvek hat die Rechte "
                             "0755 statt 0700. Er muss dem Benutzer allein gehören (Rechte 0700).")
                  .arg(folder));
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Tarvek")));

    // A folder above it that others may write in: they could put a folder of their own there.
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0700), 0);
    const QString own = m_home + QStringLiteral("/.cache/tarvek");
    ASSERT_EQ(chmod(QFile::encodeName(own).constData(), 0777), 0);
    EXPECT_EQ(probe({QStringLiteral("try"), QStringLiteral("-")}, environment({})).first,
              QStringLiteral("failed: Der Ordner %1, in dem Tarvek seine Sperrdatei anlegt, ist "
                             "für andere Benutzer beschreibbar (Rechte 0777).")
                  .arg(own)
                  .toUtf8());
    ASSERT_EQ(chmod(QFile::encodeName(own).constData(), 0755), 0);
    EXPECT_EQ(probe({QStringLiteral("try"), QStringLiteral("-")}, environment({})).first,
              QByteArray("locked"));

    // So may no folder further up (the home folder's), unless its sticky bit keeps everyone to
    // their own entries.
    const QByteArray top = QFile::encodeName(m_dir.path());
    ASSERT_EQ(chmod(top.constData(), 0777), 0);
    EXPECT_TRUE(probe({QStringLiteral("try"), QStringLiteral("-")}, environment({}))
                    .first.startsWith("failed: Der Ordner " + top + ", in dem"));
    ASSERT_EQ(chmod(top.constData(), 01777), 0);
    EXPECT_EQ(probe({QStringLiteral("try"), QStringLiteral("-")}, environment({})).first,
              QByteArray("locked"));
    ASSERT_EQ(chmod(top.constData(), 0755), 0);

    if (const passwd* other = otherUser()) {
        ASSERT_EQ(chown(QFile::encodeName(folder).constData(), other->pw_uid, other->pw_gid), 0);
        EXPECT_EQ(probe({QStringLiteral("try"), QStringLiteral("-")}, environment({})).first,
                  QStringLiteral("failed: Der Ordner %1 für die Sperrdatei von Tarvek gehört "
                                 "einem anderen Benutzer. Er muss dem Benutzer allein gehören "
                                 "(Rechte 0700).")
                      .arg(folder)
                      .toUtf8());
    }
}

// A lock that cannot be made is told as that, with the folder and the system's reason, not as a
// copy that runs already.
TEST_F(LockFolderTest, ALockThatCannotBeMadeIsReportedWithItsFolderAndReason)
{
    const QString missing = m_dir.filePath(QStringLiteral("fehlt"));
    const auto [text, code] = probe({QStringLiteral("start"), missing});
    EXPECT_EQ(QString::fromUtf8(text),
              QStringLiteral("failed: Die Sperrdatei von Tarvek kann im Ordner %1 nicht angelegt "
                             "werden. Datei oder Ordner nicht gefunden.")
                  .arg(missing));
    EXPECT_EQ(code, 1);

    // A folder without write permission, for a user who is not root.
    if (otherUser() == nullptr) {
        return;
    }
    const QString closed = m_dir.filePath(QStringLiteral("zu"));
    ASSERT_TRUE(QDir().mkdir(closed));
    ASSERT_EQ(chmod(QFile::encodeName(closed).constData(), 0755), 0);
    const auto [denied, deniedCode] =
        probe({QStringLiteral("--as-nobody"), QStringLiteral("try"), closed});
    EXPECT_EQ(QString::fromUtf8(denied),
              QStringLiteral("failed: Die Sperrdatei von Tarvek kann im Ordner %1 nicht angelegt "
                             "werden. Keine Berechtigung.")
                  .arg(closed));
    EXPECT_EQ(deniedCode, 1);
}
#endif

} // namespace
