#include "MessageBoxPrompter.h"

#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"

namespace {

// Message texts keep the CR LF line ends of the program's texts; a label wants bare line feeds.
QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

bool MessageBoxPrompter::askYesNo(const QString& title, const QString& text)
{
    return Dialogs::ask(m_parent, displayText(text), title);
}

void MessageBoxPrompter::reportError(const QString& text)
{
    Dialogs::report(m_parent, displayText(reportText(text)));
}

void MessageBoxPrompter::showError(const QString& text)
{
    Dialogs::error(m_parent, displayText(text));
}

QString MessageBoxPrompter::reportText(const QString& message)
{
    return ErrorReport::text(message);
}
