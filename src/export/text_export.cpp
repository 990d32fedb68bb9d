#include "export/text_export.h"

#include "common/number_format.h"
#include "export/export_table.h"

#include <QStringList>

namespace traxilo {

namespace {

// A title is one line: a pasted line break would start a line of data.
QString oneLine(const QString& title) {
    QString line = title;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

QString namesLine(const ExportTable& table, QChar separator) {
    QString line = QStringLiteral("t");
    for (int c = 1; c < table.columnCount(); ++c)
        line += separator + table.names.at(c);
    return line;
}

// Each column's unit, "(m)" in the file and "m" on the clipboard.
QString unitsLine(const ExportTable& table, QChar separator, bool bracketed) {
    QStringList units;
    for (int c = 0; c < table.columnCount(); ++c)
        units << (bracketed ? QLatin1Char('(') + table.unit(c) + QLatin1Char(')') : table.unit(c));
    return units.join(separator);
}

} // namespace

QChar separatorFor(int index) {
    switch (index) {
    case 1:
        return u';';
    case 2:
        return u',';
    case 3:
        return u' ';
    default:
        return u'\t';
    }
}

QByteArray writeTextFile(const ExportTable& table, const QString& title, QChar separator) {
    QStringList lines;
    lines << oneLine(title) << namesLine(table, separator) << unitsLine(table, separator, true);
    for (const QStringList& row : table.rows) {
        QStringList cells;
        for (const QString& cell : row)
            cells << (cell.startsWith(u' ') ? cell.mid(1) : cell);
        lines << cells.join(separator);
    }
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

QString StripSpaces(const QString& text) {
    QString result = text;
    result.remove(u' ');
    return result;
}

QString clipboardText(const ExportTable& table, const QString& title, QChar separator) {
    QStringList lines;
    const QString heading = oneLine(title);
    if (!heading.isEmpty())
        lines << heading;
    lines << namesLine(table, separator) << unitsLine(table, separator, false);
    for (const QStringList& row : table.rows) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c) {
            QString cell = StripSpaces(row.at(c));
            const std::optional<long double> value = ParseNumber(cell);
            // Positive and negative coordinates line up in a column; a
            // velocity that cannot be known stays an empty cell.
            if (c > 0 && !cell.isEmpty() && !(value && IsNegative(*value)))
                cell.prepend(u' ');
            cells << cell;
        }
        lines << cells.join(separator);
    }
    const QString crlf = QStringLiteral("\r\n");
    if (heading.isEmpty())
        return lines.join(crlf) + crlf;
    return lines.join(crlf);
}

} // namespace traxilo
