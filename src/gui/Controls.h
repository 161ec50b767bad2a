#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QPushButton;
class QWidget;

// A push button at a fixed place of a fixed-size window, with the object name by which tests and
// handlers find it ("BitBtn1", ...).
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place);

// A dialog of fixed size with a title and a close button only, in the program's font (bold or
// plain), with the object name by which tests find it.
void setUpFixedDialog(QDialog* dialog, const char* name, const QString& title, QSize size,
                      bool bold = true);

// A dialog that the user may resize, at its first size, with its title as its accessible name.
void setUpSizableDialog(QDialog* dialog, const char* name, const QString& title, QSize size);

// A control with the object name by which tests find it and the German name that screen readers
// say.
template <typename Widget>
Widget* named(Widget* widget, const char* name, const QString& accessibleName)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}
