#include "DownloadSettings.h"

#include "pricing/PriceList.h"

#include <QFile>

QString DownloadSettings::priceListPath() const
{
    return QFile::decodeName(QByteArray::fromStdString(
        tarvek::priceListPath(QFile::encodeName(programDir()).toStdString())));
}
