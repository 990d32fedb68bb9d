#pragma once

#include <QApplication>

namespace traxilo {

// The program's application object. An exception that escapes an event
// handler ends that handler, is shown in an error box with its text, and
// the event loop goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Qt's own French texts for its dialogs and buttons. False when the
    // translation is not installed on this machine.
    bool installFrenchQtTranslation();
};

} // namespace traxilo
