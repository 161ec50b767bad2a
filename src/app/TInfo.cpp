#include "app/TInfo.h"

#include "app/Icons.h"
#include "gui/Controls.h"
#include "gui/Fonts.h"
#include "importfile/Version.h"

#include <QLabel>
#include <QPushButton>

TInfo::TInfo(QWidget* parent) : QDialog(parent)
{
    setUpFixedDialog(this, "Info", QStringLiteral("Info"), QSize(206, 120), false);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(6, 6, 50, 55);
    picture->setPixmap(Icons::pixmap(QStringLiteral("info"), QSize(50, 55)));

    auto* name = new QLabel(QStringLiteral("Tarvek " TARVEK_VERSION), this);
    name->setObjectName(QStringLiteral("Label1"));
    name->setFont(Fonts::sansSerif(11, true));
    name->move(101, 13);
    name->adjustSize();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(66, 86, 75, 25);
    ok->setFont(Fonts::sansSerif(11, true));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
