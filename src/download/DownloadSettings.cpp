#include "DownloadSettings.h"

#include "gui/FileNameText.h"

#include "pricing/PriceList.h"

#include <QDir>
#include <QFile>

QString DownloadSettings::priceListPath() const
{
    const QString folder = programDir();
    const std::optional<std::string> found =
        tarvek::findPriceList(engineFileName(folder));
    if (found)
        return qtFileName(*found);
    return QDir(folder).filePath(QString::fromLatin1(tarvek::kPriceListName.data(),
                                                     qsizetype(tarvek::kPriceListName.size())));
}
