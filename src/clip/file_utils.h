#pragma once

#include <QString>
#include <functional>

class QFontMetrics;

namespace traxilo {

// Width of a text as drawn, in pixels.
using TextWidth = std::function<int(const QString&)>;

// Shortens the folder part of `path` one level at a time, ".../" standing for
// what was removed, until the text is at most `maxWidth` wide or nothing is
// left but the name: "/home/me/clips/ball.avi", "/.../me/clips/ball.avi",
// "/.../clips/ball.avi", "/.../ball.avi", ".../ball.avi", "ball.avi". The name
// is never shortened, so a long name alone may still be too wide. A leading
// "X:" drive is kept in front of the folder until the last steps.
QString FitPath(const QString& path, const TextWidth& width, int maxWidth);
QString FitPath(const QString& path, const QFontMetrics& metrics, int maxWidth);

// One shortening step of a folder ending with "/".
QString ShortenOneLevel(const QString& folder);

// The size of a file as "1,953 Mo": size / 1.024 / 10^(3b), b the number of
// groups of three digits above the first, 3 decimals and the locale's
// separator, then the unit "ko", "Mo", "Go", "To" ("?o" below 1000 bytes).
// "?!*" when the path is not a file or the file is empty.
QString FileSizeText(const QString& path);
QString FileSizeTextForBytes(quint64 size);

} // namespace traxilo
