#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace traxilo {

// Every message box of the program goes through here, so that tests can
// answer them. Three kinds: error with OK, warning with OK, and a
// confirmation with "&Oui" and "&Non" (Yes goes on).
enum class MessageKind { Error, Warning, Confirmation };

struct Message {
    MessageKind kind = MessageKind::Error;
    QString text;
    QString title;
};

class MessageSeam {
public:
    // Returns the answer: true for OK or "&Oui", false for "&Non".
    using Answerer = std::function<bool(const Message&)>;

    static void showError(const QString& text, QWidget* parent = nullptr);
    static void showWarning(const QString& text, QWidget* parent = nullptr);
    static bool confirm(const QString& text, QWidget* parent = nullptr);

    // An empty answerer puts back the real message boxes.
    static void setAnswerer(Answerer answerer);
    static bool hasAnswerer();

    static QString titleFor(MessageKind kind);

private:
    static bool ask(const Message& message, QWidget* parent);
    static bool showBox(const Message& message, QWidget* parent);
};

} // namespace traxilo
