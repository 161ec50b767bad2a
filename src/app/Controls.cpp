#include "app/Controls.h"

#include <QPushButton>

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}
