#pragma once

#include <QString>

// A stranger's file name that is markup and holds a direction mark (U+202E, which turns round
// what follows it). Windows allows no "<" in a name, but an entity is markup as well: a label
// that takes the name for rich text shows "<b>" where the name says "&lt;b&gt;".
inline QString markupFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("&lt;b&gt;Haus\u202Egfc.cfg");
#else
    return QStringLiteral("<b>Haus\u202Egfc.cfg");
#endif
}

// The name as the program shows it: the direction mark made visible, the markup as it stands.
inline QString shownMarkupFileName()
{
    return markupFileName().replace(QChar(0x202E), QChar(0xFFFD));
}
