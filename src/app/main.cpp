#include "app/application.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/tool_icons.h"

#include "common/number_format.h"

#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char** argv) {
    // --version and --help answer without a display.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    const traxilo::CommandLine early = traxilo::readCommandLine(rawArguments);
    if (early.action == traxilo::CommandLine::Action::Version) {
        print(stdout, traxilo::versionText() + QLatin1Char('\n'));
        return 0;
    }
    if (early.action == traxilo::CommandLine::Action::Help) {
        print(stdout, traxilo::usageText());
        return 0;
    }

    traxilo::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("Traxilo"));
    app.setApplicationVersion(traxilo::programVersion());
    // The desktop matches the window with the menu entry (its icon in the dock).
    app.setDesktopFileName(QStringLiteral(TRAXILO_APP_ID));
    // Qt's own options are gone from app.arguments().
    const traxilo::CommandLine line = traxilo::readCommandLine(app.arguments());
    if (line.action == traxilo::CommandLine::Action::Error) {
        print(stderr, QStringLiteral("traxilo : ") + line.error + QStringLiteral("\n\n") +
                          traxilo::usageText());
        return 2;
    }
    app.installFrenchQtTranslation();
    traxilo::initDecimalSeparatorFromLocale();
    traxilo::chooseIconTheme();
    app.setWindowIcon(traxilo::programIcon());

    // The main window first (its creation sets every default and reads the
    // settings file), then the dialogs it keeps for the whole run.
    traxilo::TForm1 form;
    form.showMaximized();
    // What an abnormal end of the last run left is offered first; a clip
    // named on the command line opens as if chosen in the clip dialog, a
    // session file with its clip.
    form.startRecovery(line.file);
    return app.exec();
}
