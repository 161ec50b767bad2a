#include "views/TAnsichtbeweglich.h"

#include "views/ItemViewPrompts.h"

#include <array>

using tarvek::views::FieldCut;
using tarvek::views::ItemField;

namespace {

// D:3701, H:0x0e75, Pos. X:1432, Y:1610, Z:20
constexpr std::array<FieldCut, 5> kLine{{
    {ItemField::D, ", H:"},
    {ItemField::H, ", Pos. X:"},
    {ItemField::X, ", Y:"},
    {ItemField::Y, ", Z:"},
    {ItemField::Z, nullptr},
}};

} // namespace

TAnsichtbeweglich::TAnsichtbeweglich(QWidget* parent, Services services)
    : ItemViewDialog({"Ansicht beweglicher Items", 318, 223, kLine, 1, true, 160, 193},
                     std::move(services), parent)
{
    setObjectName(QStringLiteral("Ansichtbeweglich"));
}

void TAnsichtbeweglich::beforeModal()
{
    m_restartAdvised = false;
}

void TAnsichtbeweglich::afterModal()
{
    if (m_restartAdvised) {
        prompts().information(parentWidget(), QStringLiteral("Hinweis"),
                              QString::fromUtf8(kRestartText));
    }
}
