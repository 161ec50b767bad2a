#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Draws one entry of a result list: bold text at the entry's top-left corner, in the entry's own
// colour on silver, or white on navy when selected.
class ResultListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The entry's colour value (0x00BBGGRR) is kept under this role.
    static constexpr int ColourRole = Qt::UserRole + 1;

    ResultListDelegate(int entryHeight, QObject* parent);

    static QColor background() { return QColor(0xC0, 0xC0, 0xC0); }
    static QColor selectionBackground() { return QColor(0x00, 0x00, 0x80); }
    static QColor selectionText() { return QColor(0xFF, 0xFF, 0xFF); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const int m_entryHeight;
};
