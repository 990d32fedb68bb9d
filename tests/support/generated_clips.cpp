#include "support/generated_clips.h"

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

} // namespace traxilo::testing
