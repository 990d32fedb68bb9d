#include "export/file_output.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <cerrno>

namespace traxilo {

namespace {

QString failure(const QString& path, const QString& reason) {
    return QStringLiteral("Le fichier\r%1\rn'a pas pu être enregistré :\r%2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Qt reports the system's reason in its own words; the common ones are
// said in French, the others quoted as they come.
QString reasonOf(const QSaveFile& file, const QString& fallback, qint64 needed = 0) {
    const QString said = file.errorString();
    // Qt does not always keep the system's reason for a failed write.
    const QStorageInfo disk(QFileInfo(file.fileName()).absolutePath());
    if (said.contains(qt_error_string(ENOSPC)) ||
        (needed > 0 && disk.isValid() && disk.bytesAvailable() < needed))
        return QStringLiteral("le disque est plein");
    if (said.contains(qt_error_string(EACCES)) || said.contains(qt_error_string(EPERM)))
        return QStringLiteral("l'écriture dans ce dossier n'est pas permise");
    if (said.contains(qt_error_string(EROFS)))
        return QStringLiteral("le disque est protégé en écriture");
    if (said.contains(qt_error_string(ENOENT)))
        return QStringLiteral("ce dossier n'accepte pas de nouveau fichier");
    if (said.isEmpty())
        return fallback;
    return fallback + QStringLiteral(" (") + said + u')';
}

} // namespace

std::optional<QString> saveBytes(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (path.isEmpty() || target.fileName().isEmpty())
        return failure(path, QStringLiteral("aucun nom de fichier n'est donné"));
    if (target.isDir())
        return failure(path, QStringLiteral("un dossier porte déjà ce nom"));
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return failure(path, QStringLiteral("le dossier %1 n'existe pas")
                                 .arg(QDir::toNativeSeparators(folder.filePath())));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, reasonOf(file, QStringLiteral("il ne peut pas être créé")));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = reasonOf(file, QStringLiteral("l'écriture a échoué"), bytes.size());
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, reasonOf(file, QStringLiteral("l'écriture n'a pas pu être achevée"),
                                      bytes.size()));
    return std::nullopt;
}

ExportProposal proposeExportFile(const QString& clipPath, const QString& lastFolder,
                                 const QString& extension) {
    const QFileInfo clip(clipPath);
    ExportProposal proposal;
    if (!clip.completeBaseName().isEmpty())
        proposal.fileName = clip.completeBaseName() + QLatin1Char('.') + extension;
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir())
        proposal.folder = lastFolder;
    else if (!clipPath.isEmpty() && clip.absoluteDir().exists())
        proposal.folder = clip.absolutePath();
    return proposal;
}

} // namespace traxilo
