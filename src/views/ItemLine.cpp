#include "views/ItemLine.h"

namespace tarvek::views {

std::vector<std::pair<ItemField, QString>> splitItemLine(const QString& line,
                                                         std::span<const FieldCut> form)
{
    std::vector<std::pair<ItemField, QString>> values;
    QString rest = line.mid(2);
    bool exhausted = false;
    for (const FieldCut& cut : form) {
        QString value;
        if (!exhausted) {
            const qsizetype at =
                cut.endMarker == nullptr ? -1 : rest.indexOf(QLatin1String(cut.endMarker));
            if (at < 0) {
                value = rest;
                exhausted = true;
            } else {
                value = rest.left(at);
                rest.remove(0, at + qsizetype(qstrlen(cut.endMarker)));
            }
        }
        values.emplace_back(cut.field, value);
    }
    return values;
}

} // namespace tarvek::views
