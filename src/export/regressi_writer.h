#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <array>

namespace traxilo {

struct ExportTable;

// The fixed lines of the two Regressi formats, as bytes of the Windows-1252
// code page: 0xA3 is "£", 0xFB is "û", and the DOS file ends its header with
// the single byte 0x7F.
extern const std::array<QByteArray, 22> Rw3Keywords;
extern const std::array<QByteArray, 13> RrrKeywords;

// The text with the first `oldChar` replaced by `newChar`; unchanged when the
// text holds no `oldChar`.
QString ReplaceFirstChar(const QString& text, QChar oldChar, QChar newChar);

// One line of values: the time, then every coordinate after one space, with
// "." as decimal point whatever the table shows (`separator` is the table's).
QByteArray regressiDataLine(const QStringList& cells, QChar separator);

// A whole file in the Windows format (".rw3") or the DOS format (".rrr"),
// every line ended by CR LF. `separator` is the decimal separator of the
// table's cells.
QByteArray writeRw3(const ExportTable& table, QChar separator);
QByteArray writeRrr(const ExportTable& table, QChar separator);

enum class RegressiFormat { Windows, Dos };
QByteArray writeRegressi(RegressiFormat format, const ExportTable& table, QChar separator);
QString regressiExtension(RegressiFormat format); // "rw3" or "rrr"

} // namespace traxilo
