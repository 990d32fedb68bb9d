#include "app/command_line.h"

namespace traxilo {

QString programVersion() {
    return QStringLiteral(TRAXILO_VERSION);
}

CommandLine readCommandLine(const QStringList& arguments) {
    CommandLine line;
    const QStringList given = arguments.mid(1);
    if (given.contains(QLatin1String("--version"))) {
        line.action = CommandLine::Action::Version;
        return line;
    }
    if (given.contains(QLatin1String("--help")) || given.contains(QLatin1String("-h"))) {
        line.action = CommandLine::Action::Help;
        return line;
    }
    bool optionsEnded = false;
    for (const QString& argument : given) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            line.action = CommandLine::Action::Error;
            line.error = QStringLiteral("option inconnue « %1 »").arg(argument);
            return line;
        } else if (line.file.isEmpty()) {
            line.file = argument; // one file at a time: any further one is left
        }
    }
    return line;
}

QString versionText() {
    return QStringLiteral("traxilo ") + programVersion();
}

QString usageText() {
    return QStringLiteral("Utilisation : traxilo [FICHIER]\n"
                          "Ouvre Traxilo, et le clip vidéo ou la session (.trx) FICHIER s'il est "
                          "donné.\n\n"
                          "  --version   affiche la version et s'arrête\n"
                          "  -h, --help  affiche cette aide et s'arrête\n");
}

} // namespace traxilo
