#include "app/Icons.h"

#include <QPainter>
#ifdef TARVEK_ICONS_SVG
#include <QSvgRenderer>
#endif

static void initResources()
{
    static const bool done = [] {
#ifdef TARVEK_ICONS_SVG
        Q_INIT_RESOURCE(app);
#else
        Q_INIT_RESOURCE(icons);
#endif
        return true;
    }();
    (void)done;
}

QPixmap Icons::pixmap(const QString& name, QSize size)
{
    initResources();
#ifdef TARVEK_ICONS_SVG
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/tarvek/icons/%1.svg").arg(name));
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
#else
    // Drawn at twice the SVG's size when the program was built; filled into the size asked for,
    // as the SVG would be.
    return QPixmap(QStringLiteral(":/tarvek/icons/%1.png").arg(name))
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
#endif
}

QIcon Icons::scalable(const QString& name)
{
    initResources();
#ifdef TARVEK_ICONS_SVG
    return QIcon(QStringLiteral(":/tarvek/icons/%1.svg").arg(name));
#else
    QIcon icon;
    if (name == QLatin1String("tarvek")) {
        for (const int size : {16, 24, 32, 48, 64, 256}) {
            icon.addFile(QStringLiteral(":/tarvek/icons/tarvek-%1.png").arg(size));
        }
    } else {
        icon.addFile(QStringLiteral(":/tarvek/icons/%1.png").arg(name));
    }
    return icon;
#endif
}

QIcon Icons::icon(const QString& name, QSize size)
{
    QIcon icon;
    const QPixmap picture = pixmap(name, size);
    icon.addPixmap(picture, QIcon::Normal);
    // A disabled tool button shows its picture faded.
    QPixmap faded(size);
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(0.35);
    painter.drawPixmap(0, 0, picture);
    painter.end();
    icon.addPixmap(faded, QIcon::Disabled);
    return icon;
}
