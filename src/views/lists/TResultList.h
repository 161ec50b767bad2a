#pragma once

#include <QFont>
#include <QListWidget>
#include <QString>

#include <cstdint>

// One of the six result lists of the main window: an ordered list of entries, each a line of text
// with its own colour (a window-system colour value, red in the lowest byte). Entries are only
// appended and the list is only emptied as a whole. Every entry is drawn in bold in its colour on
// silver, the selected entry in white on navy; a list with the keyboard focus has a frame.
class TResultList : public QListWidget
{
    Q_OBJECT

public:
    static constexpr std::uint32_t Green = 0x008000;
    static constexpr std::uint32_t Black = 0x000000;
    static constexpr std::uint32_t Red = 0x0000FF;

    TResultList(const QFont& font, int entryHeight, QWidget* parent = nullptr);

    // Appends one entry at the end; nothing is selected by this.
    void LogLine(const QString& text, std::uint32_t colour);
    // Selects the last entry and scrolls it into view; on an empty list nothing is selected.
    void SelectLastEntry();

    QString entryText(int index) const;
    std::uint32_t entryColour(int index) const;
    int entryHeight() const { return m_entryHeight; }

protected:
    // A list with the keyboard focus is framed, whether or not a line is selected.
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const int m_entryHeight;
};
