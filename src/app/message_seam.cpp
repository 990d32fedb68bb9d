#include "app/message_seam.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace traxilo {

namespace {
MessageSeam::Answerer& currentAnswerer() {
    static MessageSeam::Answerer answerer;
    return answerer;
}

// Labels use "\r" as a line break; the message box wants "\n".
QString boxText(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QChar(u'\r'), QChar(u'\n'));
    return shown;
}
} // namespace

void MessageSeam::showError(const QString& text, QWidget* parent) {
    ask({MessageKind::Error, text, titleFor(MessageKind::Error)}, parent);
}

void MessageSeam::showWarning(const QString& text, QWidget* parent) {
    ask({MessageKind::Warning, text, titleFor(MessageKind::Warning)}, parent);
}

bool MessageSeam::confirm(const QString& text, QWidget* parent) {
    return ask({MessageKind::Confirmation, text, titleFor(MessageKind::Confirmation)}, parent);
}

void MessageSeam::setAnswerer(Answerer answerer) {
    currentAnswerer() = std::move(answerer);
}

bool MessageSeam::hasAnswerer() {
    return static_cast<bool>(currentAnswerer());
}

QString MessageSeam::titleFor(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QStringLiteral("Erreur");
    case MessageKind::Warning:
        return QStringLiteral("Avertissement");
    case MessageKind::Confirmation:
        break;
    }
    return QStringLiteral("Confirmation");
}

bool MessageSeam::ask(const Message& message, QWidget* parent) {
    if (currentAnswerer()) {
        return currentAnswerer()(message);
    }
    return showBox(message, parent);
}

bool MessageSeam::showBox(const Message& message, QWidget* parent) {
    if (!parent) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(parent);
    box.setWindowTitle(message.title);
    box.setText(boxText(message.text));
    switch (message.kind) {
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case MessageKind::Confirmation: {
        box.setIcon(QMessageBox::Question);
        QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
    }
    box.exec();
    return true;
}

} // namespace traxilo
