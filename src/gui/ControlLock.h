#pragma once

#include <QObject>
#include <QPointer>

#include <initializer_list>
#include <utility>
#include <vector>

// Disables controls (widgets or menu actions) for as long as it lives, and then gives each the
// enabled state it had. For work that lets Qt process events while nothing else may start.
class ControlLock
{
public:
    explicit ControlLock(std::initializer_list<QObject*> controls);
    ~ControlLock();
    ControlLock(const ControlLock&) = delete;
    ControlLock& operator=(const ControlLock&) = delete;

private:
    std::vector<std::pair<QPointer<QObject>, bool>> m_states;
};
