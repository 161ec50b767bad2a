#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QAbstractItemModel;
class QDialog;
class QLabel;
class QPushButton;
class QStatusBar;
class QTableView;
class QWidget;

// A push button at a fixed place of a fixed-size window, with the object name by which tests and
// handlers find it ("BitBtn1", ...).
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place);

// A push button of a window laid out by layouts, with its object name and its caption as its
// accessible name. It is never the window's default button (Return in a list or a field stays
// theirs), yet Return or Enter presses it while it has the focus, as Space does.
QPushButton* makeCommandButton(QWidget* parent, const char* name, const QString& caption);

// A dialog of fixed size with a title and a close button only, in the program's font (bold or
// plain), with the object name by which tests find it.
void setUpFixedDialog(QDialog* dialog, const char* name, const QString& title, QSize size,
                      bool bold = true);

// A window's status line, where a command says what it did (for StatusMessageMs).
QStatusBar* makeStatusLine(QWidget* parent);
constexpr int StatusMessageMs = 15000;

// A dialog that the user may resize, at its first size, with its title as its accessible name.
void setUpSizableDialog(QDialog* dialog, const char* name, const QString& title, QSize size);

// A window that stays open beside the main window (a picture of the building): resizable, with
// its minimise and maximise buttons, in the program's 11-pixel font, at its first size.
void setUpPictureWindow(QDialog* dialog, const char* name, const QString& title, QSize size);

// A label of a control: Alt and its underlined letter move the focus to `buddy`. Its accessible
// name is the caption without the mnemonic's "&" and a closing colon.
QLabel* makeBuddyLabel(QWidget* parent, const char* name, const QString& caption, QWidget* buddy);

// A label that shows a text from outside (a file's name, a line of a file, a reason): always as
// plain text, since Qt's default takes a text that looks like HTML for rich text.
QLabel* makeTextLabel(QWidget* parent, const char* name, const QString& accessibleName);

// A read-only table of whole rows over `model` (a sorting and filtering proxy): in the model's
// own order until a header is clicked, rows as high as their text.
QTableView* makeSortableTable(QWidget* parent, const char* name, const QString& accessibleName,
                              QAbstractItemModel* model);

// A control with the object name by which tests find it and the German name that screen readers
// say.
template <typename Widget>
Widget* named(Widget* widget, const char* name, const QString& accessibleName)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}
