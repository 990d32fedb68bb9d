#include "export/regressi_launch.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace traxilo {

std::optional<RegressiFormat> regressiFormatFromVersion(const QString& version) {
    const QString lower = version.toLower();
    if (lower == QLatin1String("win"))
        return RegressiFormat::Windows;
    if (lower == QLatin1String("dos"))
        return RegressiFormat::Dos;
    return std::nullopt;
}

QString regressiVersionText(RegressiFormat format) {
    return format == RegressiFormat::Windows ? QStringLiteral("win") : QStringLiteral("DOS");
}

QString typedProgramPath(const QString& text) {
    QString path = text.trimmed();
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2).trimmed();
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(path);
        if (url.isLocalFile())
            path = url.toLocalFile();
    }
    return path.isEmpty() ? path : QDir::toNativeSeparators(path);
}

std::optional<QString> programPathProblem(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("Indiquez le chemin d'accès à Regressi, ou choisissez le "
                              "programme avec « Parcourir... ».");
    const QFileInfo file(QDir::fromNativeSeparators(path));
    if (file.isDir())
        return QStringLiteral("« %1 » est un dossier : indiquez le programme Regressi "
                              "lui-même.")
            .arg(path);
    if (!file.exists())
        return QStringLiteral("Le fichier « %1 » n'existe pas.").arg(path);
    return std::nullopt;
}

QString regressiTempFileName(RegressiFormat format) {
    return QStringLiteral("~avireg~.") + regressiExtension(format);
}

std::optional<ProcessStart> regressiStart(const QString& executable, const QString& argument,
                                          const QString& wine) {
    const QFileInfo file(executable);
    if (executable.isEmpty() || !file.isFile())
        return std::nullopt;
    const QString folder = file.absolutePath();
    const QString path = file.absoluteFilePath();
    if (file.suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0 && !wine.isEmpty())
        return ProcessStart{wine, {path, argument}, folder};
    if (file.isExecutable())
        return ProcessStart{path, {argument}, folder};
    return std::nullopt;
}

QString findWine() {
    return QStandardPaths::findExecutable(QStringLiteral("wine"));
}

namespace {
ProcessStarter::Starter& currentStarter() {
    static ProcessStarter::Starter starter;
    return starter;
}
} // namespace

bool ProcessStarter::start(const ProcessStart& process) {
    if (currentStarter())
        return currentStarter()(process);
    return QProcess::startDetached(process.program, process.arguments, process.workingFolder);
}

void ProcessStarter::setStarter(Starter starter) {
    currentStarter() = std::move(starter);
}

} // namespace traxilo
