#include "views/lists/TResultList.h"

#include "views/lists/ResultListDelegate.h"

#include <QPainter>

TResultList::TResultList(const QFont& font, int entryHeight, QWidget* parent)
    : QListWidget(parent), m_entryHeight(entryHeight)
{
    setFont(font);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setItemDelegate(new ResultListDelegate(entryHeight, this));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, ResultListDelegate::background());
    setPalette(palette);
}

void TResultList::LogLine(const QString& text, std::uint32_t colour)
{
    auto* entry = new QListWidgetItem(text);
    entry->setData(ResultListDelegate::ColourRole, static_cast<uint>(colour));
    addItem(entry);
}

void TResultList::SelectLastEntry()
{
    const int last = count() - 1;
    if (last < 0) {
        return;
    }
    setCurrentRow(last);
    scrollToItem(item(last));
}

QString TResultList::entryText(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

std::uint32_t TResultList::entryColour(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(ResultListDelegate::ColourRole).toUInt() : 0;
}

void TResultList::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(QPen(ResultListDelegate::selectionBackground(), 2, Qt::DotLine));
    painter.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
}

void TResultList::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void TResultList::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    viewport()->update();
}
