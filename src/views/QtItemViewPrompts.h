#pragma once

#include "views/ItemViewPrompts.h"

namespace tarvek::views {

// The program's own: QDialog::exec, and the message boxes through the program's dialog seam
// (Dialogs) and its general error report, so that window tests answer these boxes as all others.
class QtItemViewPrompts : public ItemViewPrompts
{
public:
    void showModal(QDialog& dialog) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    void reportError(QWidget* parent, const QString& text) override;
};

} // namespace tarvek::views
