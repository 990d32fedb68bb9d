#include "app/settings_place.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace traxilo {

bool runsFromInstalledLocation(const QString& programFolder) {
    const QDir bin(programFolder);
    return bin.dirName() == QLatin1String("bin") &&
           QFileInfo(bin.absoluteFilePath(QStringLiteral("../share/traxilo"))).isDir();
}

bool folderIsWritable(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".traxilo-XXXXXX")));
    return probe.open();
}

QString userVideosFolder() {
    const QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (!videos.isEmpty() && QFileInfo(videos).isDir())
        return videos;
    return QDir::homePath();
}

SettingsPlace chooseSettingsPlace(const QString& startFolder, const QString& programFolder) {
    if (!runsFromInstalledLocation(programFolder) && folderIsWritable(startFolder))
        return {startFolder, startFolder};
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder); // a failure shows later as a file not written, like any other
    return {folder, userVideosFolder()};
}

} // namespace traxilo
