#pragma once

#include <QWidget>

// A control with the ordinary click events of a window-system control: OnClick when the left
// button is pressed and released over it, OnDblClick on a double click.
class ClickableWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ClickableWidget(QWidget* parent = nullptr);

signals:
    void OnClick();
    void OnDblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
