#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace traxilo {

// Reads the settings file line by line, the way a text file is read: a line
// ends at LF, CR LF or a lone CR; past the end every line reads as an empty
// text. Text is UTF-8 (a leading byte-order mark is skipped); a line that is
// not valid UTF-8 is read as Latin-1. A line longer than kMaxLineBytes keeps
// its first kMaxLineBytes bytes (cut before a split character) and the rest of
// it is skipped, so a damaged or foreign file never costs more memory than that.
class ConfigLineReader {
public:
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;

    // Opens `file` read-only; an open failure counts as a read failure.
    explicit ConfigLineReader(QFile& file);

    QString readLine();
    // True once opening or reading failed; later lines then read as empty.
    bool failed() const { return m_failed; }

private:
    bool fill();    // false at the end of the file or on an error
    int nextByte(); // -1 at the end or on an error

    QFile& m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_failed = false;
    bool m_atEnd = false;
};

} // namespace traxilo
