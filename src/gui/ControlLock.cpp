#include "gui/ControlLock.h"

#include <QVariant>

ControlLock::ControlLock(std::initializer_list<QObject*> controls)
{
    m_states.reserve(controls.size());
    for (QObject* control : controls) {
        m_states.emplace_back(control, control->property("enabled").toBool());
        control->setProperty("enabled", false);
    }
}

ControlLock::~ControlLock()
{
    for (const auto& [control, enabled] : m_states) {
        if (control) {
            control->setProperty("enabled", enabled);
        }
    }
}
