// A copy of the program's single-instance check in its own process.
//   single_instance_probe hold FOLDER:  takes the lock, prints "locked" or "busy", then holds it
//                                       until its input ends (without answering later starts).
//   single_instance_probe try FOLDER:   prints "locked" or "busy" and ends.
//   single_instance_probe send FOLDER FILE MS: a later start with FILE; prints "taken" when the
//                                       running copy took it within MS milliseconds, else
//                                       "no answer".
#include "app/SingleInstance.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc < 3) {
        return 2;
    }
    SingleInstance instance(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "send") == 0 && argc == 5) {
        const bool taken = instance.handOver(QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));
        std::printf("%s\n", taken ? "taken" : "no answer");
        return 0;
    }
    const bool locked = instance.acquire();
    std::printf("%s\n", locked ? "locked" : "busy");
    std::fflush(stdout);
    if (std::strcmp(argv[1], "hold") == 0) {
        while (std::getchar() != EOF) {
        }
    }
    return 0;
}
