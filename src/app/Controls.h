#pragma once

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

// A push button at a fixed place of a fixed-size window, with the object name by which tests and
// handlers find it ("BitBtn1", ...).
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place);
