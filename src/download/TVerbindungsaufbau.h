#pragma once

#include "GuardedWindow.h"

class QFrame;
class QLabel;

// The connection-wait window of the update check: no frame, no caption bar, a lowered panel
// with two pictures and the waiting text between them.
class TVerbindungsaufbau : public GuardedWindow
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 328;
    static constexpr int ClientHeight = 51;

    TVerbindungsaufbau();

    QString text() const;

private:
    QFrame* m_panel;
    QLabel* m_image1;
    QLabel* m_image2;
    QLabel* m_label1;
};
