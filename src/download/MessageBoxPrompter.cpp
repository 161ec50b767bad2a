#include "MessageBoxPrompter.h"

#include <QMessageBox>

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
    return QMessageBox::question(m_parent, title, displayText(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void MessageBoxPrompter::reportError(const QString& text)
{
    QMessageBox::critical(m_parent, QStringLiteral("Tarvek 2.4"), displayText(reportText(text)));
}

void MessageBoxPrompter::showError(const QString& text)
{
    QMessageBox::critical(m_parent, QStringLiteral("Fehler"), displayText(text));
}

QString MessageBoxPrompter::reportText(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}
