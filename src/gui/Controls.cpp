#include "gui/Controls.h"

#include "gui/Fonts.h"

#include <QDialog>
#include <QPushButton>

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

void setUpSizableDialog(QDialog* dialog, const char* name, const QString& title, QSize size)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(title);
    dialog->setAccessibleName(title);
    dialog->setFont(Fonts::sansSerif(10));
    dialog->resize(size);
}
