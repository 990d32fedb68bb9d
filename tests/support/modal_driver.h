#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace traxilo::test {

// Runs `open`, which shows `dialog` modally as the program does (exec), and
// `act` while the dialog is on show. A dialog `act` leaves open is rejected,
// so a test never hangs on it.
inline void runModal(QDialog* dialog, const std::function<void()>& open,
                     const std::function<void()>& act) {
    QTimer::singleShot(0, dialog, [dialog, act] {
        if (dialog->isVisible()) {
            act();
        }
        if (dialog->isVisible()) {
            dialog->done(QDialog::Rejected);
        }
    });
    open();
}

// Runs `action` on the first modal widget of type T once one is shown: for
// Qt's own dialogs, which the program does not hold.
template <typename T> void whenModalShown(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(widget);
        }
    });
    timer->start();
}

} // namespace traxilo::test
