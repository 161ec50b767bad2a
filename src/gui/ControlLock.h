#pragma once

#include <QObject>
#include <QPointer>

#include <utility>
#include <vector>

// Disables controls (widgets or menu actions) for as long as it lives, and then gives each the
// enabled state it had. For work that lets Qt process events while nothing else may start.
class ControlLock
{
public:
    using Controls = std::vector<QObject*>;

    explicit ControlLock(const Controls& controls);
    ~ControlLock();
    ControlLock(const ControlLock&) = delete;
    ControlLock& operator=(const ControlLock&) = delete;

    // Enables or disables every control of a table at once, as a lock that spans more than one
    // handler does: the same table locks and unlocks.
    static void setEnabled(const Controls& controls, bool enabled);

private:
    std::vector<std::pair<QPointer<QObject>, bool>> m_states;
};
