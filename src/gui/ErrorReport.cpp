#include "gui/ErrorReport.h"

#include "gui/Dialogs.h"

QString ErrorReport::text(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        return message + u'.';
    }
    return message;
}

void ErrorReport::show(QWidget* parent, const QString& message)
{
    Dialogs::report(parent, text(message));
}

void ErrorReport::show(QWidget* parent, const std::exception& error)
{
    show(parent, QString::fromUtf8(error.what()));
}
