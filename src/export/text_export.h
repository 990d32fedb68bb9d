#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace traxilo {

struct ExportTable;

// The separators offered by the text and clipboard dialogs, by item:
// "Tabulation", "Point virgule", "Virgule", "Espace".
inline constexpr int kSeparatorCount = 4;
QChar separatorFor(int index);

// The text file: the title, the names, the units "(s)", "(m)", "(m/s)"..., then one
// line per complete row, each cell without its leading blank. Cells keep the
// table's decimal separator. UTF-8, every line ended by CR LF.
QByteArray writeTextFile(const ExportTable& table, const QString& title, QChar separator);

// Every space removed.
QString StripSpaces(const QString& text);

// The clipboard text: the title line (none when the title is empty), the
// names, the units "s", "m", "m/s"..., then the complete rows, each coordinate that
// is not negative after one space. Lines joined by CR LF; with an empty title
// every line, the last included, ends with CR LF.
QString clipboardText(const ExportTable& table, const QString& title, QChar separator);

} // namespace traxilo
