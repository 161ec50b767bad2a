#include "gui/FileNameText.h"

#include <QDir>
#include <QFile>

std::string engineFileName(const QString& name)
{
#ifdef Q_OS_WIN
    return name.toStdString();
#else
    return QFile::encodeName(name).toStdString();
#endif
}

QString qtFileName(const std::string& name)
{
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(QString::fromStdString(name));
#else
    return QFile::decodeName(QByteArray::fromStdString(name));
#endif
}
