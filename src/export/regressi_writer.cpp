#include "export/regressi_writer.h"

#include "common/code_page.h"
#include "export/export_table.h"

namespace traxilo {

namespace {
constexpr char kPound = char(0xA3);
constexpr char kUCircumflex = char(0xFB);
} // namespace

const std::array<QByteArray, 22> Rw3Keywords = {
    QByteArray("EVARISTE REGRESSI WINDOWS 1.0"),
    QByteArray(1, kPound),
    QByteArray(" NOM VAR"),
    QByteArray(" GENRE VAR"),
    QByteArray(" UNITE VAR"),
    QByteArray(" INCERTITUDE"),
    QByteArray(1, kPound) + "1 TRIGO",
    QByteArray(1, kPound) + "1 LOG",
    QByteArray(1, kPound) + "1 MEMO GRANDEURS",
    QByteArray("'Pointages Traxilo"),
    QByteArray(1, kPound) + "2 ACQUISITION",
    QByteArray("CLAVIER"),
    QByteArray(1, kPound) + "0 GRAPHE VAR",
    QByteArray("&5 X"),
    QByteArray("&5 Y"),
    QByteArray("&5 MONDE"),
    QByteArray("&3 GRADUATION"),
    QByteArray("&3 ZERO"),
    QByteArray("&7 OPTIONS"),
    QByteArray(1, kPound) + "1 PAGE COMMENT",
    QByteArray(" VALEUR VAR"),
    QByteArray("&2 OPTIONS"),
};

const std::array<QByteArray, 13> RrrKeywords = {
    QByteArray("EVARISTE REGRESSI 2.0"),
    QByteArray("Pointages Traxilo"),
    QByteArray(1, kUCircumflex),
    QByteArray(" EXPR VARIABLE"),
    QByteArray(" INCERT VARIABLE"),
    QByteArray(" UNITE VARIABLE"),
    QByteArray(1, kUCircumflex) + "17 CFG",
    QByteArray("FALSE"),
    QByteArray("TRUE"),
    QByteArray("RAD"),
    QByteArray(1, kUCircumflex) + "1 INTERFACE",
    QByteArray("Clavier"),
    QByteArray(1, char(0x7F)),
};

QString ReplaceFirstChar(const QString& text, QChar oldChar, QChar newChar) {
    QString result = text;
    const qsizetype at = result.indexOf(oldChar);
    if (at >= 0)
        result[at] = newChar;
    return result;
}

namespace {

// Lines ended by CR LF, the last one included.
class Lines {
public:
    void add(const QByteArray& line) { m_bytes += line + "\r\n"; }
    void add(const QString& line) { add(toWindows1252(line)); }
    void repeat(int count, const QByteArray& line) {
        for (int i = 0; i < count; ++i)
            add(line);
    }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

QByteArray number(qsizetype n) {
    return QByteArray::number(qlonglong(n));
}

// The table's decimal separator and a stray "," both become ".": a comma
// left in a line of values would split a number in two for the reader.
QString withDecimalPoint(const QString& cell, QChar separator) {
    return ReplaceFirstChar(ReplaceFirstChar(cell.trimmed(), separator, u'.'), u',', u'.');
}

void addUnits(Lines& lines, int columns) {
    lines.add(QByteArray("s"));
    lines.repeat(columns - 1, "m");
}

} // namespace

QByteArray regressiDataLine(const QStringList& cells, QChar separator) {
    QString line;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        // Exactly one space before every value, whatever blanks the cell holds.
        if (c > 0)
            line += u' ';
        line += withDecimalPoint(cells.at(c), separator);
    }
    return toWindows1252(line);
}

QByteArray writeRw3(const ExportTable& table, QChar separator) {
    const auto& K = Rw3Keywords;
    const int n = table.columnCount();
    const QByteArray countN = K[1] + number(n);
    Lines lines;
    lines.add(K[0]);
    lines.add(countN + K[2]);
    for (const QString& name : table.names)
        lines.add(name);
    lines.add(countN + K[3]);
    lines.repeat(n, "0");
    lines.add(countN + K[4]);
    addUnits(lines, n);
    lines.add(countN + K[5]);
    lines.repeat(n, "");
    lines.add(K[6]);
    lines.add(QByteArray("0"));
    lines.add(K[7]);
    lines.add(QByteArray("0"));
    lines.add(K[8]);
    lines.add(K[9]);
    lines.add(K[10]);
    lines.add(K[11]);
    lines.add(QByteArray());
    lines.add(K[12]);
    lines.add(K[13]);
    lines.add(table.names.value(1));
    lines.repeat(4, "");
    lines.add(K[14]);
    lines.add(table.names.value(2));
    lines.repeat(4, "");
    lines.add(K[15]);
    lines.repeat(5, "1");
    lines.add(K[16]);
    lines.repeat(3, "0");
    lines.add(K[17]);
    lines.repeat(3, "1");
    lines.add(K[18]);
    for (const char* option : {"12", "2", "1", "3", "3", "0", "0"})
        lines.add(QByteArray(option));
    lines.add(K[19]);
    lines.add(QByteArray());
    // The count of lines that follow: readers take exactly that many.
    lines.add("&" + number(qsizetype(table.rows.size())) + K[20]);
    for (const QStringList& row : table.rows)
        lines.add(regressiDataLine(row, separator));
    lines.add(K[21]);
    lines.add(QByteArray("1"));
    lines.add(QByteArray("1"));
    return lines.bytes();
}

QByteArray writeRrr(const ExportTable& table, QChar separator) {
    const auto& K = RrrKeywords;
    const int n = table.columnCount();
    const QByteArray countN = K[2] + number(n);
    Lines lines;
    lines.add(K[0]);
    lines.add(K[1]);
    QString names;
    for (const QString& name : table.names)
        names += u' ' + name;
    lines.add(names);
    lines.repeat(n, "");
    lines.add(countN + K[3]);
    lines.repeat(n, "");
    lines.add(countN + K[4]);
    lines.repeat(n, "");
    lines.add(countN + K[5]);
    addUnits(lines, n);
    lines.add(K[6]);
    const QByteArray& no = K[7];
    const QByteArray& yes = K[8];
    const QByteArray cfg[17] = {toWindows1252(table.names.value(1)),
                                toWindows1252(table.names.value(2)),
                                toWindows1252(table.names.value(0)),
                                QByteArray(),
                                QByteArray(),
                                no,
                                no,
                                no,
                                "0",
                                "1",
                                yes,
                                yes,
                                yes,
                                K[9],
                                no,
                                no,
                                yes};
    for (const QByteArray& line : cfg)
        lines.add(line);
    lines.add(K[10]);
    lines.add(K[11]);
    lines.add(K[12]);
    for (const QStringList& row : table.rows)
        lines.add(regressiDataLine(row, separator));
    return lines.bytes();
}

QByteArray writeRegressi(RegressiFormat format, const ExportTable& table, QChar separator) {
    return format == RegressiFormat::Windows ? writeRw3(table, separator)
                                             : writeRrr(table, separator);
}

QString regressiExtension(RegressiFormat format) {
    return format == RegressiFormat::Windows ? QStringLiteral("rw3") : QStringLiteral("rrr");
}

} // namespace traxilo
