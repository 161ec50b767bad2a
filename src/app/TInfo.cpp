#include "app/TInfo.h"

#include "app/Icons.h"
#include "base/Version.h"
#include "gui/Controls.h"
#include "gui/Fonts.h"

#include <QLabel>
#include <QPushButton>

namespace {

#ifdef Q_OS_WIN
// The Windows copy ships the licence texts beside the program.
constexpr char16_t LicenceFiles[] =
    u"; die Lizenztexte liegen neben dem Programm: LICENSE-Qt-LGPL-3.0.txt, LICENSE-Liberation.txt";
#else
constexpr char16_t LicenceFiles[] = u"";
#endif

} // namespace

const QString TInfo::LicenceText =
    QStringLiteral("Tarvek verwendet Qt unter der LGPL-3.0 und die Liberation-Schriften unter der "
                   "SIL Open Font License") +
    QString::fromUtf16(LicenceFiles) + u'.';

TInfo::TInfo(QWidget* parent) : QDialog(parent)
{
    setUpFixedDialog(this, "Info", QStringLiteral("Info"), QSize(206, 196), false);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(6, 6, 50, 55);
    picture->setPixmap(Icons::pixmap(QStringLiteral("info"), QSize(50, 55)));

    auto* name = new QLabel(QStringLiteral("Tarvek " TARVEK_VERSION), this);
    name->setObjectName(QStringLiteral("Label1"));
    name->setFont(Fonts::sansSerif(11, true));
    name->move(101, 13);
    name->adjustSize();

    auto* licences = new QLabel(LicenceText, this);
    licences->setObjectName(QStringLiteral("Lizenzen"));
    licences->setWordWrap(true);
    licences->setGeometry(6, 66, 194, 90);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(66, 162, 75, 25);
    ok->setFont(Fonts::sansSerif(11, true));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
