#pragma once

#include <QLabel>

// A label of plain text that shows as much of its text as its width allows, shortened in the
// middle with "…" (the start and the end of a path stay), and the whole text as its tool tip
// while it is shortened.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return m_fullText; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString m_fullText;
};
