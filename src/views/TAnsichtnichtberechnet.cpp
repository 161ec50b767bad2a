#include "views/TAnsichtnichtberechnet.h"

#include <QFrame>
#include <QLabel>

#include <array>

using tarvek::views::FieldCut;
using tarvek::views::ItemField;

namespace {

// D:3701, H:0x0e75, Anz.:4
constexpr std::array<FieldCut, 3> kLine{{
    {ItemField::D, ", H:"},
    {ItemField::H, ", Anz.:"},
    {ItemField::Anzahl, nullptr},
}};

} // namespace

TAnsichtnichtberechnet::TAnsichtnichtberechnet(QWidget* parent, Services services)
    : ItemViewDialog({"Ansicht nicht berechneter Items", 320, 237, kLine, 2, false, 86, 200},
                     std::move(services), parent)
{
    setObjectName(QStringLiteral("Ansichtnichtberechnet"));
    auto* const panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(206, 80, 110, 108);
    m_label3 = new QLabel(panel);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setTextFormat(Qt::PlainText);
    m_label3->setFont(boldFont());
    m_label3->move(4, 5);
}

void TAnsichtnichtberechnet::FormShow()
{
    m_label3->setText(
        QString::fromUtf8(kExplanation).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_label3->adjustSize();
}
