#pragma once

#include <QString>
#include <QStringList>

namespace traxilo {

// The program's version, set once in the build ("2.7.30").
QString programVersion();

// What the command line asks for: `traxilo [--version | --help] [FILE]`.
// Qt's own options (-platform...) must be taken out before, as QApplication
// does; --version and --help are found anywhere, so they answer before it.
struct CommandLine {
    enum class Action { Run, Version, Help, Error };
    Action action = Action::Run;
    QString file;  // a clip or a session to open; empty for none
    QString error; // French, for Action::Error
};
CommandLine readCommandLine(const QStringList& arguments);

QString versionText(); // "traxilo 2.7.30"
QString usageText();   // French, for --help and after an error

} // namespace traxilo
