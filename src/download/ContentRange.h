#pragma once

#include <QByteArray>
#include <QtGlobal>

// The Content-Range header of a partial answer: "bytes first-last/total", total may be "*".
class ContentRange
{
public:
    // An invalid range when the text is not of that form or the numbers do not fit together.
    static ContentRange parse(const QByteArray& header);

    bool isValid() const { return m_valid; }
    qint64 first() const { return m_first; }
    qint64 last() const { return m_last; }
    qint64 length() const { return m_last - m_first + 1; }
    // The size of the whole file; -1 when the server wrote "*".
    qint64 total() const { return m_total; }

private:
    bool m_valid = false;
    qint64 m_first = -1;
    qint64 m_last = -1;
    qint64 m_total = -1;
};
