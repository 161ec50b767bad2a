#include "views/TAnsichtitem.h"

TAnsichtitem::TAnsichtitem(QWidget* parent, Services services, bool goTo)
    : ItemViewDialog({"Ansicht des Items", 318, 223, tarvek::views::kPlaceLine, 1, goTo, 160, 193},
                     std::move(services), parent)
{
    setObjectName(goTo ? QStringLiteral("Ansichtitem") : QStringLiteral("AnsichtitemEntfernt"));
}
