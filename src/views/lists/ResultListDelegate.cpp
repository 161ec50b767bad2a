#include "views/lists/ResultListDelegate.h"

#include "gui/Fonts.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

ResultListDelegate::ResultListDelegate(int entryHeight, QObject* parent)
    : QStyledItemDelegate(parent), m_entryHeight(entryHeight)
{}

void ResultListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    QFont font = option.font;
    font.setBold(true);

    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, selected ? selectionBackground() : background());
    painter->setFont(font);
    painter->setPen(selected ? selectionText() : Fonts::colour(index.data(ColourRole).toUInt()));
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();

    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = selected ? selectionBackground() : background();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

QSize ResultListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& /*index*/) const
{
    return QSize(option.rect.width(), m_entryHeight);
}
