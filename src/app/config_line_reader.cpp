#include "app/config_line_reader.h"

#include <QFile>
#include <QStringDecoder>

namespace traxilo {

namespace {
constexpr qint64 kChunk = 4096;
}

ConfigLineReader::ConfigLineReader(QFile& file) : m_file(file) {
    if (!m_file.isOpen() && !m_file.open(QIODevice::ReadOnly)) {
        m_failed = true;
        return;
    }
    if (fill() && m_buffer.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
}

bool ConfigLineReader::fill() {
    if (m_failed || m_atEnd)
        return false;
    m_buffer.resize(kChunk);
    const qint64 got = m_file.read(m_buffer.data(), kChunk);
    if (got < 0) {
        m_failed = true;
        m_buffer.clear();
    } else if (got == 0) {
        m_atEnd = true;
        m_buffer.clear();
    } else {
        m_buffer.resize(got);
    }
    m_pos = 0;
    return got > 0;
}

int ConfigLineReader::nextByte() {
    if (m_pos >= m_buffer.size() && !fill())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_pos++]);
}

QString ConfigLineReader::readLine() {
    QByteArray line;
    bool ended = false; // a line end was found, so the line is whole
    for (int c = nextByte(); c >= 0; c = nextByte()) {
        if (c == '\n') {
            ended = true;
            break;
        }
        if (c == '\r') {
            ended = true;
            if (m_pos >= m_buffer.size())
                fill();
            if (m_pos < m_buffer.size() && m_buffer[m_pos] == '\n')
                ++m_pos;
            break;
        }
        // One byte beyond the limit tells whether the cut splits a character.
        if (line.size() <= kMaxLineBytes)
            line.append(static_cast<char>(c));
    }
    if (m_failed && !ended)
        return {};
    if (line.size() > kMaxLineBytes) {
        qsizetype cut = kMaxLineBytes;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        line.truncate(cut);
    }
    // A file written in a single-byte code page (an older copy of the file)
    // is not UTF-8: read as Latin-1, its accented letters survive the rewrite
    // instead of turning into replacement characters.
    // The file's own byte-order mark is skipped once, at its start; a line
    // that begins with U+FEFF keeps it, or it would lose one at every start.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(line);
    if (utf8.hasError())
        return QString::fromLatin1(line);
    return text;
}

} // namespace traxilo
