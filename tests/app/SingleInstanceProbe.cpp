// A copy of the program's single-instance check in its own process.
//   single_instance_probe hold FOLDER: takes the lock, prints "locked" or "busy", then holds it
//                                      until its input ends.
//   single_instance_probe try FOLDER:  prints "locked" or "busy" and ends.
#include "app/SingleInstance.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        return 2;
    }
    SingleInstance instance(QString::fromLocal8Bit(argv[2]));
    const bool locked = instance.acquire();
    std::printf("%s\n", locked ? "locked" : "busy");
    std::fflush(stdout);
    if (std::strcmp(argv[1], "hold") == 0) {
        while (std::getchar() != EOF) {
        }
    }
    return 0;
}
