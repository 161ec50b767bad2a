#include "gui/FileNameText.h"

#include <QDir>
#include <QFile>

std::string engineFileName(const QString& name)
{
#ifdef Q_OS_WIN
    // In the system's own form, as the engine's messages show it: "\" between the parts, one at
    // a time (a folder's own separator and the one Qt adds may meet), a network path's leading
    // two kept.
    QString text = QDir::toNativeSeparators(name);
    for (qsizetype i = text.size() - 1; i > 1; --i) {
        if (text[i] == u'\\' && text[i - 1] == u'\\') {
            text.remove(i, 1);
        }
    }
    return text.toStdString();
#else
    return QFile::encodeName(name).toStdString();
#endif
}

QString qtFileName(const std::string& name)
{
#ifdef Q_OS_WIN
    return QString::fromStdString(name);
#else
    return QFile::decodeName(QByteArray::fromStdString(name));
#endif
}
