#include "export/regressi_launch.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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
