// Draws the program's SVG icon as PNG files of the given sizes, for the desktop's icon theme:
//   tarvek-render-icon ICON.svg OUTDIR SIZE...   writes OUTDIR/SIZE.png for every SIZE
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("Aufruf: tarvek-render-icon ICON.svg ZIELORDNER GRÖSSE...\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: kein gültiges SVG\n", argv[1]);
        return 1;
    }
    const QDir target(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(target.path());
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "%s: keine gültige Größe\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        if (!image.save(target.filePath(QStringLiteral("%1.png").arg(size)))) {
            std::fprintf(stderr, "%s: kann nicht geschrieben werden\n", argv[2]);
            return 1;
        }
    }
    return 0;
}
