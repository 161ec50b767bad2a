#include "gui/ControlLock.h"

#include <QVariant>

ControlLock::ControlLock(const Controls& controls)
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

void ControlLock::setEnabled(const Controls& controls, bool enabled)
{
    for (QObject* control : controls) {
        control->setProperty("enabled", enabled);
    }
}
