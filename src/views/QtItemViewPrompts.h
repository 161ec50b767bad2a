#pragma once

#include "views/ItemViewPrompts.h"

#include <functional>

namespace tarvek::views {

// The real thing: QDialog::exec and Qt's message boxes. The general error report is the one the
// main window hands in; without one, a box titled "Tarvek 2.4" with the error icon, the text
// ending in "." as the application's report does it.
class QtItemViewPrompts : public ItemViewPrompts
{
public:
    using ErrorReport = std::function<void(QWidget* parent, const QString& text)>;

    explicit QtItemViewPrompts(ErrorReport errorReport = {});

    void showModal(QDialog& dialog) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    void reportError(QWidget* parent, const QString& text) override;

private:
    const ErrorReport m_errorReport;
};

} // namespace tarvek::views
