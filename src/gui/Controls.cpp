#include "gui/Controls.h"

#include "gui/Fonts.h"

#include <QDialog>
#include <QPushButton>
#include <QStatusBar>

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

void setUpFixedDialog(QDialog* dialog, const char* name, const QString& title, QSize size,
                      bool bold)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setFont(Fonts::sansSerif(11, bold));
    dialog->setFixedSize(size);
}

QStatusBar* makeStatusLine(QWidget* parent)
{
    auto* line = new QStatusBar(parent);
    line->setObjectName(QStringLiteral("Statuszeile"));
    line->setAccessibleName(QStringLiteral("Statuszeile"));
    line->setSizeGripEnabled(false);
    return line;
}
