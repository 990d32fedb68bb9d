#include "clip/clip_types.h"

namespace traxilo {

const QStringList& clipExtensions() {
    static const QStringList extensions = {
        QStringLiteral("avi"),  QStringLiteral("mp4"),  QStringLiteral("mov"),
        QStringLiteral("m4v"),  QStringLiteral("3gp"),  QStringLiteral("mkv"),
        QStringLiteral("webm"), QStringLiteral("mpg"),  QStringLiteral("mpeg"),
        QStringLiteral("wmv"),  QStringLiteral("asf"),  QStringLiteral("flv"),
        QStringLiteral("mts"),  QStringLiteral("m2ts"), QStringLiteral("dv"),
        QStringLiteral("ogv"),
    };
    return extensions;
}

QString clipFilesFilter() {
    QStringList patterns;
    for (const QString& extension : clipExtensions())
        patterns << QStringLiteral("*.") + extension;
    return QStringLiteral("clips vidéo (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QStringList clipDialogFilters() {
    return {clipFilesFilter(), QStringLiteral("fichiers  AVI (*.avi)"),
            QStringLiteral("tous les fichiers (*)")};
}

} // namespace traxilo
