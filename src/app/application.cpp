#include "app/application.h"

#include "app/message_seam.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <exception>

namespace traxilo {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        MessageSeam::showError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        MessageSeam::showError(QStringLiteral("Erreur inconnue"));
    }
    return false;
}

bool Application::installFrenchQtTranslation() {
    auto* translator = new QTranslator(this);
    if (!translator->load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return installTranslator(translator);
}

} // namespace traxilo
