#include "ContentRange.h"

namespace {

// A whole number of digits only: no sign, no blanks, no empty text.
bool parseDigits(const QByteArray& text, qint64& value)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok;
}

} // namespace

ContentRange ContentRange::parse(const QByteArray& header)
{
    ContentRange range;
    const QByteArray text = header.trimmed();
    static const QByteArray unit = QByteArrayLiteral("bytes ");
    if (!text.startsWith(unit))
        return range;
    const QByteArray rangeText = text.mid(unit.size()).trimmed();
    const qsizetype slash = rangeText.indexOf('/');
    const qsizetype dash = rangeText.indexOf('-');
    if (slash < 0 || dash < 0 || dash > slash)
        return range;
    qint64 first = 0;
    qint64 last = 0;
    qint64 total = -1;
    if (!parseDigits(rangeText.left(dash), first) ||
        !parseDigits(rangeText.mid(dash + 1, slash - dash - 1), last) || last < first)
        return range;
    const QByteArray totalText = rangeText.mid(slash + 1);
    if (totalText != "*" && (!parseDigits(totalText, total) || total <= last))
        return range;
    range.m_valid = true;
    range.m_first = first;
    range.m_last = last;
    range.m_total = total;
    return range;
}
