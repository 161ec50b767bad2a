#include "app/Icons.h"

#include <QPainter>
#include <QSvgRenderer>

static void initResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(app);
        return true;
    }();
    (void)done;
}

QPixmap Icons::pixmap(const QString& name, QSize size)
{
    initResources();
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/tarvek/icons/%1.svg").arg(name));
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
}

QIcon Icons::scalable(const QString& name)
{
    initResources();
    return QIcon(QStringLiteral(":/tarvek/icons/%1.svg").arg(name));
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
