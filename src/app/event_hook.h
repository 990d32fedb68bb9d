#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

namespace traxilo {

// Calls a function for every event of one type that reaches the objects it
// is installed on; the event goes on to its target as usual.
class EventHook : public QObject {
    Q_OBJECT
public:
    EventHook(QEvent::Type type, std::function<void(QEvent*)> action, QObject* parent = nullptr);
    void watch(QObject* object) { object->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QEvent::Type m_type;
    std::function<void(QEvent*)> m_action;
};

} // namespace traxilo
