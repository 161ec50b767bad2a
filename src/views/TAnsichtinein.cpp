#include "views/TAnsichtinein.h"

#include <array>

using tarvek::views::FieldCut;
using tarvek::views::ItemField;

namespace {

// D:3701, H:0x0E75, Pos. X:1432, Y:1610, Z:20, Anz.:2
constexpr std::array<FieldCut, 6> kLine{{
    {ItemField::D, ", H:"},
    {ItemField::H, ", Pos. X:"},
    {ItemField::X, ", Y:"},
    {ItemField::Y, ", Z:"},
    {ItemField::Z, ", Anz.:"},
    {ItemField::Anzahl, nullptr},
}};

} // namespace

TAnsichtinein::TAnsichtinein(QWidget* parent, Services services)
    : ItemViewDialog({"Ansicht ineinanderliegendes Item", 318, 223, kLine, 1, true, 160, 193},
                     std::move(services), parent)
{
    setObjectName(QStringLiteral("Ansichtinein"));
}
