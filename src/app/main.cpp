#include "app/application.h"
#include "app/main_window.h"
#include "app/tool_icons.h"

#include "common/number_format.h"

int main(int argc, char** argv) {
    traxilo::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("Traxilo"));
    app.installFrenchQtTranslation();
    traxilo::initDecimalSeparatorFromLocale();
    traxilo::chooseIconTheme();
    app.setWindowIcon(traxilo::programIcon());

    // The main window first (its creation sets every default and reads the
    // settings file), then the dialogs it keeps for the whole run.
    traxilo::TForm1 form;
    form.showMaximized();
    // What an abnormal end of the last run left is offered first.
    form.startRecovery();
    // A clip named on the command line opens as if chosen in the clip
    // dialog; a session file opens with its clip.
    const QStringList arguments = app.arguments();
    if (arguments.size() > 1) {
        const QString path = arguments.at(1);
        if (path.endsWith(QLatin1String(".trx"), Qt::CaseInsensitive)) {
            form.openSessionFile(path);
        } else {
            form.openClipFile(path);
        }
    }
    return app.exec();
}
