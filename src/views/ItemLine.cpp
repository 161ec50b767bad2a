#include "views/ItemLine.h"

#include <cstdint>
#include <limits>

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

std::optional<int> toWholeNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    // The magnitude may reach 2^31 for the most negative value.
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<int>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int value = -1;
        if (c >= u'0' && c <= u'9') {
            value = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            value = c - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            value = c - u'A' + 10;
        }
        if (value < 0 || value >= base) {
            return std::nullopt;
        }
        magnitude = magnitude * base + value;
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    if (!negative && magnitude == limit) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QString wholeNumberErrorText(const QString& text)
{
    return QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text);
}

} // namespace tarvek::views
