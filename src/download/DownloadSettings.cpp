#include "DownloadSettings.h"

#include "pricing/PriceList.h"

#include <QDir>
#include <QFile>

QString DownloadSettings::priceListPath() const
{
    const QString folder = programDir();
    const std::optional<std::string> found =
        tarvek::findPriceList(QFile::encodeName(folder).toStdString());
    if (found)
        return QFile::decodeName(QByteArray::fromStdString(*found));
    return QDir(folder).filePath(QString::fromLatin1(tarvek::kPriceListName.data(),
                                                     qsizetype(tarvek::kPriceListName.size())));
}
