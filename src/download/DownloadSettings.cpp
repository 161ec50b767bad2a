#include "DownloadSettings.h"

#include "gui/FileNameText.h"

#include "pricing/PriceList.h"

#include <QFile>

QString DownloadSettings::priceListPath() const
{
    return qtFileName(tarvek::priceListPath(engineFileName(programDir())));
}
