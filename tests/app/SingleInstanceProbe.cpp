// A copy of the program's single-instance check in its own process. FOLDER "-" is the default
// folder (InstanceLock::defaultFolder()). What takes the lock prints "locked", "busy" or
// "failed: " and the reason.
//   single_instance_probe hold FOLDER:   takes the lock, then holds it until its input ends
//                                        (listening, but without answering later starts).
//   single_instance_probe try FOLDER:    takes the lock and ends.
//   single_instance_probe send FOLDER FILE MS: a later start with FILE; prints "taken",
//                                        "refused", "no answer", "foreign" or "unsendable" and
//                                        ends with 0 when taken, else 1.
//   single_instance_probe start FOLDER [FILE [MS]]: what the program does at its start, without
//                                        a window: "locked", or the message of a later start
//                                        ("message: ..."), with its exit code.
//   single_instance_probe silent FOLDER: connects, sends nothing, prints "connected" and then
//                                        "dropped after N ms" once the running copy drops it.
//   single_instance_probe flood FOLDER BYTES: connects and sends BYTES bytes without a line end,
//                                        then as "silent".
//   single_instance_probe squat FOLDER:  listens on the running copy's socket name as a program
//                                        of another user would (every user may connect), prints
//                                        "listening", answers "ok" to everything and prints
//                                        "got " and what it read, until its input ends.
// Options before the mode:
//   --as-nobody     runs as the user "nobody" (when started as root; else it ends with 3)
//   --foreign-peer  takes every other end of a connection for a process of another user
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

void print(const QString& text)
{
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

// Waits (handling events) until the input ends, as the tests close it to end a probe.
void untilInputEnds()
{
    while (std::getchar() != EOF) {
    }
}

QString lockText(SingleInstance& instance)
{
    switch (instance.acquire()) {
    case SingleInstance::Lock::Taken:
        return QStringLiteral("locked");
    case SingleInstance::Lock::Busy:
        return QStringLiteral("busy");
    case SingleInstance::Lock::Failed:
        break;
    }
    return QStringLiteral("failed: ") + instance.errorText();
}

QString handOverText(SingleInstance::HandOver result)
{
    switch (result) {
    case SingleInstance::HandOver::Taken:
        return QStringLiteral("taken");
    case SingleInstance::HandOver::Refused:
        return QStringLiteral("refused");
    case SingleInstance::HandOver::Running:
    case SingleInstance::HandOver::DialogOpen:
        return QStringLiteral("not now");
    case SingleInstance::HandOver::NoAnswer:
        return QStringLiteral("no answer");
    case SingleInstance::HandOver::ForeignServer:
        return QStringLiteral("foreign");
    case SingleInstance::HandOver::Unsendable:
        break;
    }
    return QStringLiteral("unsendable");
}

// Connects as a later start would, trying for ten seconds.
bool connectTo(QLocalSocket& socket, const QString& folder)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        socket.connectToServer(InstanceLock::serverName(folder));
        if (socket.waitForConnected(1000)) {
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

// Prints how long the running copy kept the connection open.
int untilDropped(QLocalSocket& socket)
{
    print(QStringLiteral("connected"));
    QElapsedTimer timer;
    timer.start();
    while (socket.state() == QLocalSocket::ConnectedState && timer.elapsed() < 20000) {
        socket.waitForReadyRead(100);
        socket.readAll();
    }
    print(socket.state() == QLocalSocket::ConnectedState
              ? QStringLiteral("still connected")
              : QStringLiteral("dropped after %1 ms").arg(timer.elapsed()));
    return 0;
}

#ifndef _WIN32
bool becomeNobody()
{
    const passwd* nobody = getpwnam("nobody");
    return getuid() == 0 && nobody != nullptr && setgroups(0, nullptr) == 0 &&
           setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0;
}
#endif

int squat(const QString& folder)
{
    QLocalServer server;
    server.setSocketOptions(QLocalServer::WorldAccessOption);
    QLocalServer::removeServer(InstanceLock::serverName(folder));
    if (!server.listen(InstanceLock::serverName(folder))) {
        print(QStringLiteral("cannot listen: ") + server.errorString());
        return 1;
    }
    print(QStringLiteral("listening"));
    QObject::connect(&server, &QLocalServer::newConnection, [&server] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            print(QStringLiteral("connection"));
            QObject::connect(socket, &QLocalSocket::readyRead, [socket] {
                print(QStringLiteral("got ") + QString::fromLatin1(socket->readAll().toHex()));
                socket->write("ok\n");
            });
        }
    });
    // The input's end ends the probe; until then the event loop serves the connections.
    QThread* input = QThread::create([] { untilInputEnds(); });
    QObject::connect(input, &QThread::finished, qApp, &QCoreApplication::quit);
    input->start();
    const int status = QCoreApplication::exec();
    input->wait();
    delete input;
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    bool foreignPeer = false;
    int first = 1;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        if (std::strcmp(argv[first], "--foreign-peer") == 0) {
            foreignPeer = true;
        } else if (std::strcmp(argv[first], "--as-nobody") == 0) {
#ifdef _WIN32
            return 3;
#else
            if (!becomeNobody()) {
                return 3;
            }
#endif
        } else {
            return 2;
        }
    }
    QCoreApplication application(argc, argv);
    if (argc - first < 2) {
        return 2;
    }
    const char* mode = argv[first];
    const QString folderArgument = QString::fromLocal8Bit(argv[first + 1]);
    const QString folder = folderArgument == QStringLiteral("-") ? QString() : folderArgument;
    const auto argument = [&](int index) {
        return first + index < argc ? QString::fromLocal8Bit(argv[first + index]) : QString();
    };
    SingleInstance instance(folder);
    if (foreignPeer) {
        instance.setPeerCheck([](qintptr, InstanceLock::Peer) { return false; });
    }
    const QString used = folder.isEmpty() ? InstanceLock::defaultFolder() : folder;

    if (std::strcmp(mode, "send") == 0) {
        const SingleInstance::HandOver result =
            instance.handOver(argument(2), argument(3).isEmpty() ? 5000 : argument(3).toInt());
        print(handOverText(result));
        return result == SingleInstance::HandOver::Taken ? 0 : 1;
    }
    if (std::strcmp(mode, "start") == 0) {
        const QString text = lockText(instance);
        if (text != QStringLiteral("busy")) {
            print(text);
            return text == QStringLiteral("locked") ? 0 : 1;
        }
        const SingleInstance::LaterStart later =
            instance.laterStart(argument(2), argument(3).isEmpty() ? 5000 : argument(3).toInt());
        print(QStringLiteral("message: ") + later.message);
        return later.exitCode;
    }
    if (std::strcmp(mode, "silent") == 0 || std::strcmp(mode, "flood") == 0) {
        QLocalSocket socket;
        if (!connectTo(socket, used)) {
            print(QStringLiteral("cannot connect"));
            return 1;
        }
        if (std::strcmp(mode, "flood") == 0) {
            socket.write(QByteArray(argument(2).toInt(), 'a'));
            socket.waitForBytesWritten(5000);
        }
        return untilDropped(socket);
    }
    if (std::strcmp(mode, "squat") == 0) {
        return squat(used);
    }
    const QString text = lockText(instance);
    print(text);
    if (std::strcmp(mode, "hold") == 0) {
        untilInputEnds();
    }
    return text.startsWith(QStringLiteral("failed")) ? 1 : 0;
}
