#include "app/event_hook.h"

namespace traxilo {

EventHook::EventHook(QEvent::Type type, std::function<void(QEvent*)> action, QObject* parent)
    : QObject(parent), m_type(type), m_action(std::move(action)) {}

bool EventHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == m_type && m_action)
        m_action(event);
    return QObject::eventFilter(watched, event);
}

} // namespace traxilo
