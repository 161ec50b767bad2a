#include "gui/ElidedLabel.h"

#include <QResizeEvent>

#include <algorithm>

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFullText(text);
}

void ElidedLabel::setFullText(const QString& text)
{
    m_fullText = text;
    elide();
}

QSize ElidedLabel::minimumSizeHint() const
{
    // Any width will do: the text is shortened to it.
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide()
{
    const int room = contentsRect().width() - 2 * margin() - 2 * std::max(0, indent());
    const QString shown = fontMetrics().elidedText(m_fullText, Qt::ElideMiddle, std::max(0, room));
    setText(shown);
    setToolTip(shown == m_fullText ? QString() : m_fullText);
}
