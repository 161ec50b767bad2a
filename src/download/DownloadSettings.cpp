#include "DownloadSettings.h"

#include <QDir>

QString DownloadSettings::priceListPath() const
{
    static const QString name = QStringLiteral("Preisliste.txt");
    const QDir dir(programDir());
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (files.contains(name))
        return dir.filePath(name);
    for (const QString& file : files) {
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(file);
    }
    return dir.filePath(name);
}
