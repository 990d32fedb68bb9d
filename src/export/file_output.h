#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace traxilo {

// Writes `bytes` to `path` through a temporary file renamed into place, so a
// failure leaves a file already there whole. Returns nothing on success, or
// the French text for the user naming the file and the reason.
[[nodiscard]] std::optional<QString> saveBytes(const QString& path, const QByteArray& bytes);

} // namespace traxilo
