#include "views/QtItemViewPrompts.h"

#include <QDialog>
#include <QMessageBox>

#include <utility>

namespace tarvek::views {

namespace {

// Texts of the system carry CR LF line breaks; a message box wants LF alone.
QString boxText(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

QtItemViewPrompts::QtItemViewPrompts(ErrorReport errorReport)
    : m_errorReport(std::move(errorReport))
{}

void QtItemViewPrompts::showModal(QDialog& dialog)
{
    dialog.exec();
}

void QtItemViewPrompts::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, boxText(text), QMessageBox::Ok);
}

void QtItemViewPrompts::reportError(QWidget* parent, const QString& text)
{
    if (m_errorReport) {
        m_errorReport(parent, text);
        return;
    }
    QString shown = boxText(text);
    if (!shown.isEmpty() && shown.back().unicode() > u'.') {
        shown += u'.';
    }
    QMessageBox::critical(parent, QStringLiteral("Tarvek 2.4"), shown, QMessageBox::Ok);
}

} // namespace tarvek::views
