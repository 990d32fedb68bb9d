#include "clip/file_utils.h"

#include "common/number_format.h"

#include <QFileInfo>
#include <QFontMetrics>

namespace traxilo {

namespace {
const QString kMarker = QStringLiteral(".../");
}

QString ShortenOneLevel(const QString& folder) {
    if (folder == QStringLiteral("/"))
        return {};
    QString rest = folder;
    const bool rooted = rest.startsWith(u'/');
    if (rooted)
        rest.remove(0, 1);
    if (rest.startsWith(u'.'))
        rest.remove(0, 4); // a ".../" marker
    const qsizetype slash = rest.indexOf(u'/');
    if (slash < 0)
        return {};
    rest = kMarker + rest.mid(slash + 1);
    return rooted ? u'/' + rest : rest;
}

QString FitPath(const QString& path, const TextWidth& width, int maxWidth) {
    const qsizetype cut = path.lastIndexOf(u'/') + 1;
    QString folder = path.left(cut);
    const QString name = path.mid(cut);
    QString drive;
    if (folder.size() >= 2 && folder[1] == u':') {
        drive = folder.left(2);
        folder.remove(0, 2);
    }
    QString result = path;
    // Every step removes one level, so the loop ends; the bound guards the
    // marker rules against a pathological folder.
    for (qsizetype guard = path.size() + 4;
         guard > 0 && (!folder.isEmpty() || !drive.isEmpty()) && width(result) > maxWidth;
         --guard) {
        if (folder == QStringLiteral("/.../")) {
            drive.clear();
            folder = kMarker;
        } else if (folder.isEmpty()) {
            drive.clear();
        } else {
            folder = ShortenOneLevel(folder);
        }
        result = drive + folder + name;
    }
    return result;
}

QString FitPath(const QString& path, const QFontMetrics& metrics, int maxWidth) {
    return FitPath(
        path, [&metrics](const QString& text) { return metrics.horizontalAdvance(text); },
        maxWidth);
}

QString FileSizeTextForBytes(quint64 size) {
    if (size == 0)
        return QStringLiteral("?!*");
    int digits = 0;
    for (quint64 rest = size; rest > 0; rest /= 10)
        ++digits;
    const int b = (digits - 1) / 3; // trunc(log10(size)) div 3, without rounding doubts
    static const char* const kUnits[] = {"?", "k", "M", "G", "T"};
    const QString unit = QString::fromLatin1(b >= 1 && b <= 4 ? kUnits[b] : "?");
    long double power = 1; // exact: powers of ten up to 10^27 fit the mantissa
    for (int i = 0; i < 3 * b; ++i)
        power *= 10;
    const long double x = static_cast<long double>(size) / 1.024L / power;
    return FormatFixed(3, x) + u' ' + unit + u'o';
}

QString FileSizeText(const QString& path) {
    const QFileInfo info(path);
    // A folder has no size of its own.
    if (!info.exists() || info.isDir())
        return QStringLiteral("?!*");
    return FileSizeTextForBytes(static_cast<quint64>(info.size()));
}

} // namespace traxilo
