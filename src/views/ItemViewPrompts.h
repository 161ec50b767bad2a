#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace tarvek::views {

// Everything of the item views that waits for a person: the modal showing of a dialog and the
// message boxes. The program uses QtItemViewPrompts; window tests put their own in its place.
class ItemViewPrompts
{
public:
    virtual ~ItemViewPrompts() = default;

    // Shows the dialog modally and returns when it has been closed.
    virtual void showModal(QDialog& dialog) = 0;
    // Message box with the information icon and an OK button.
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    // The application's general error report for an error that ends a handler.
    virtual void reportError(QWidget* parent, const QString& text) = 0;
};

} // namespace tarvek::views
