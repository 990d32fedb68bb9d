#pragma once

#include <QByteArray>
#include <QString>

namespace traxilo {

// Text in the Windows-1252 code page, the one the analysis program reads.
// A character the code page lacks becomes "?", so that every character
// still takes one byte and nothing shifts.
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const QByteArray& bytes);

} // namespace traxilo
