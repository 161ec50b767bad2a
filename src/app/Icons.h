#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own pictures (SVG resources, or PNG pictures drawn from them when the program
// was built without Qt SVG), drawn at the size they are shown.
class Icons
{
public:
    // name: "importpfad", "editieren", "beenden", "info", "waehlen", "tarvek" (the program)
    static QPixmap pixmap(const QString& name, QSize size);
    static QIcon icon(const QString& name, QSize size);
    // The picture at every size, drawn only when a size is asked for (Qt's SVG icon engine).
    static QIcon scalable(const QString& name);
};
