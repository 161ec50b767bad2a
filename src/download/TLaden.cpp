#include "TLaden.h"

#include "widgets/TBDigit.h"
#include "widgets/TBProgress.h"
#include "widgets/TBVerlauf.h"

#include <QFont>
#include <QLabel>
#include <QPalette>

TLaden::TLaden()
    : GuardedWindow(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                    Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_progress(new TBProgress(this)), m_digit(new TBDigit(this)), m_gradient(new TBVerlauf(this)),
      m_percent(new QLabel(m_gradient))
{
    setObjectName(QStringLiteral("Laden"));
    setWindowTitle(QStringLiteral("Laden"));
    setFixedSize(ClientWidth, ClientHeight);

    const QColor silver(0xC0, 0xC0, 0xC0);
    const QColor lime(0x00, 0xFF, 0x00);

    m_progress->setObjectName(QStringLiteral("BProgress1"));
    m_progress->setAusrichtung(TBProgress::tausricht::Horizontal);
    m_progress->setPanel_Licht(silver);
    m_progress->setPanel_Schatten(palette().color(QPalette::Button));
    m_progress->setLED_Licht(Qt::white);
    m_progress->setLED_Schatten(lime);
    m_progress->setGeometry(0, 2, 288, 20);

    m_digit->setObjectName(QStringLiteral("BDigit1"));
    m_digit->setDigitanzahl(3);
    m_digit->setFarbe(lime);
    m_digit->setGlaslicht(QColor(0x86, 0x86, 0x86));
    m_digit->setGlasschatten(QColor(0x1E, 0x1E, 0x1E));
    m_digit->setRahmen(true);
    m_digit->setNullen(false);
    m_digit->setMinusfeld(false);
    m_digit->move(289, 2);

    m_gradient->setObjectName(QStringLiteral("BVerlauf1"));
    m_gradient->setRichtung(TBVerlauf::torientation::Horizontal);
    m_gradient->setVonfarbe(silver);
    m_gradient->setBisfarbe(Qt::black);
    m_gradient->setRaster(1);
    m_gradient->setRahmen(false);
    m_gradient->setGeometry(325, 2, 19, 19);

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(16);
    font.setBold(true);
    m_percent->setObjectName(QStringLiteral("Label1"));
    m_percent->setFont(font);
    m_percent->setText(QStringLiteral("%"));
    m_percent->setAlignment(Qt::AlignCenter);
    m_percent->setGeometry(0, 0, 19, 19);
    QPalette white = m_percent->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_percent->setPalette(white);
    m_percent->setAttribute(Qt::WA_TranslucentBackground);
}

void TLaden::setProgress(int percent)
{
    m_progress->setWert(percent);
    m_digit->setWert(m_progress->Wert());
    emit progressShown(m_digit->Wert());
}

int TLaden::progress() const
{
    return m_digit->Wert();
}
