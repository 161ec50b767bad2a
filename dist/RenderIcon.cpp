// Draws the program's SVG icon as PNG files of the given sizes, for the desktop's icon theme, or
// as a Windows icon file holding those sizes:
//   tarvek-render-icon ICON.svg OUTDIR SIZE...     writes OUTDIR/SIZE.png for every SIZE
//   tarvek-render-icon ICON.svg FILE.ico SIZE...   writes one icon file with every SIZE
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

void putLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A Windows icon file whose pictures are stored as PNG (Windows Vista and later read them).
QByteArray iconFile(const QList<QImage>& images)
{
    QList<QByteArray> pngs;
    for (const QImage& image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        pngs.append(png);
    }
    QByteArray out;
    putLittleEndian(out, 0, 2); // reserved
    putLittleEndian(out, 1, 2); // an icon
    putLittleEndian(out, static_cast<quint32>(images.size()), 2);
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        putLittleEndian(out, size >= 256 ? 0 : static_cast<quint32>(size), 1); // 0 means 256
        putLittleEndian(out, size >= 256 ? 0 : static_cast<quint32>(size), 1);
        putLittleEndian(out, 0, 1); // no palette
        putLittleEndian(out, 0, 1);
        putLittleEndian(out, 1, 2);  // planes
        putLittleEndian(out, 32, 2); // bits per pixel
        putLittleEndian(out, static_cast<quint32>(pngs[i].size()), 4);
        putLittleEndian(out, offset, 4);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        out += png;
    return out;
}

} // namespace

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
    const QString output = QString::fromLocal8Bit(argv[2]);
    const bool ico = output.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive);
    const QDir target(output);
    if (!ico)
        QDir().mkpath(target.path());
    QList<QImage> images;
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
        images.append(image);
        if (!ico && !image.save(target.filePath(QStringLiteral("%1.png").arg(size)))) {
            std::fprintf(stderr, "%s: kann nicht geschrieben werden\n", argv[2]);
            return 1;
        }
    }
    if (ico) {
        QFile file(output);
        const QByteArray data = iconFile(images);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()) {
            std::fprintf(stderr, "%s: kann nicht geschrieben werden\n", argv[2]);
            return 1;
        }
    }
    return 0;
}
