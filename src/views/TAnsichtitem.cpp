#include "views/TAnsichtitem.h"

TAnsichtitem::TAnsichtitem(QWidget* parent, Services services)
    : ItemViewDialog({"Ansicht des Items", 318, 223, tarvek::views::kPlaceLine, 1, true, 160, 193},
                     std::move(services), parent)
{
    setObjectName(QStringLiteral("Ansichtitem"));
}
