#include "support/generated_clips.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace traxilo::testing {

QString scratchFolder() {
    static QTemporaryDir folder;
    return folder.path();
}

QString generatedClip(const clipgen::ClipSpec& clipSpec, const QString& name, QString* error) {
    const QString path = scratchFolder() + '/' + name;
    if (QFileInfo::exists(path))
        return path;
    QString why;
    if (!clipgen::generateClip(clipSpec, path, &why)) {
        if (error)
            *error = why;
        return {};
    }
    return path;
}

QString mp4WithoutIndex() {
    const QString cut = scratchFolder() + QStringLiteral("/cut short.mp4");
    if (QFileInfo::exists(cut))
        return cut;
    clipgen::ClipSpec clipSpec;
    clipSpec.codec = clipgen::Codec::H264;
    clipSpec.container = clipgen::Container::Mp4;
    clipSpec.frames = 10;
    QFile whole(generatedClip(clipSpec, QStringLiteral("whole.mp4")));
    if (!whole.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = whole.readAll();
    const qsizetype index = bytes.indexOf("moov");
    QFile file(cut);
    // The box's size comes before its name.
    if (index < 8 || !file.open(QIODevice::WriteOnly) || file.write(bytes.left(index - 4)) < 0)
        return {};
    return cut;
}

} // namespace traxilo::testing
