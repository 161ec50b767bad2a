#include "TVerbindungsaufbau.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QStyle>

TVerbindungsaufbau::TVerbindungsaufbau()
    : GuardedWindow(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_panel(new QFrame(this)), m_image1(new QLabel(m_panel)), m_image2(new QLabel(m_panel)),
      m_label1(new QLabel(m_panel))
{
    setObjectName(QStringLiteral("Verbindungsaufbau"));
    setFixedSize(ClientWidth, ClientHeight);

    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setGeometry(0, 0, ClientWidth, ClientHeight);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(1);

    const QPixmap picture =
        QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(35, 38);
    const auto placeImage = [&](QLabel* image, const char* name, int left) {
        image->setObjectName(QLatin1String(name));
        image->setGeometry(left, 7, 35, 38);
        image->setScaledContents(true);
        image->setAttribute(Qt::WA_TranslucentBackground);
        image->setPixmap(picture);
    };
    placeImage(m_image1, "Image1", 10);
    placeImage(m_image2, "Image2", 283);

    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(57, 15, 227, 29);
    m_label1->setWordWrap(true);
    m_label1->setText(
        QStringLiteral("Tarvek baut die Verbindung zum Velmar-Server auf, bitte warten...."));
}

QString TVerbindungsaufbau::text() const
{
    return m_label1->text();
}
