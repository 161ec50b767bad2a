#include "views/QtItemViewPrompts.h"

#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"

#include <QDialog>

namespace tarvek::views {

namespace {

// Texts of the system carry CR LF line breaks; a message box wants LF alone.
QString boxText(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

void QtItemViewPrompts::showModal(QDialog& dialog)
{
    dialog.exec();
}

void QtItemViewPrompts::information(QWidget* parent, const QString& title, const QString& text)
{
    Dialogs::show(parent, Dialogs::Icon::Information, title, boxText(text));
}

void QtItemViewPrompts::reportError(QWidget* parent, const QString& text)
{
    ErrorReport::show(parent, text);
}

} // namespace tarvek::views
