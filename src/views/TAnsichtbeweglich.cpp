#include "views/TAnsichtbeweglich.h"

#include "views/ItemViewPrompts.h"

TAnsichtbeweglich::TAnsichtbeweglich(QWidget* parent, Services services)
    : ItemViewDialog(
          {"Ansicht beweglicher Items", 318, 223, tarvek::views::kPlaceLine, 1, true, 160, 193},
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
