#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace traxilo {

// Writes `bytes` to `path` through a temporary file renamed into place, so a
// failure leaves a file already there whole. Returns nothing on success, or
// the French text for the user naming the file and the reason.
[[nodiscard]] std::optional<QString> saveBytes(const QString& path, const QByteArray& bytes);

// What a save dialog of an export proposes: the clip's name with the
// export's extension, in the folder last used for that export while it still
// exists, else in the clip's folder, else wherever the dialog starts (empty).
struct ExportProposal {
    QString folder;
    QString fileName;
};
ExportProposal proposeExportFile(const QString& clipPath, const QString& lastFolder,
                                 const QString& extension);

} // namespace traxilo
