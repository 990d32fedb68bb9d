#include "support/avi_bytes.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace traxilo::test {

namespace {

void putInt(QByteArray& bytes, int offset, qint32 value) {
    qToLittleEndian<qint32>(value, bytes.data() + offset);
}

void putTag(QByteArray& bytes, int offset, const char* tag) {
    memcpy(bytes.data() + offset, tag, 4);
}

} // namespace

QByteArray makeAviBytes(const AviFields& fields, int size) {
    QByteArray bytes(qMax(size, 512), '\0');
    putTag(bytes, 0, "RIFF");
    putInt(bytes, 4, bytes.size() - 8);
    putTag(bytes, 8, "AVI ");
    putTag(bytes, 12, "LIST");
    putInt(bytes, 16, 192);
    putTag(bytes, 20, "hdrl");
    putTag(bytes, 24, "avih");
    putInt(bytes, 28, 56);
    putInt(bytes, 48, fields.frames);
    putInt(bytes, 56, 1); // streams
    putInt(bytes, 64, fields.width);
    putInt(bytes, 68, fields.height);
    putTag(bytes, 88, "LIST");
    putInt(bytes, 92, 116);
    putTag(bytes, 96, "strl");
    putTag(bytes, 100, "strh");
    putInt(bytes, 104, 56);
    putTag(bytes, 108, "vids");
    memcpy(bytes.data() + 112, fields.fourCC.leftJustified(4, '\0', true).constData(), 4);
    putInt(bytes, 128, fields.scale);
    putInt(bytes, 132, fields.rate);
    putInt(bytes, 140, fields.frames);
    bytes.truncate(size);
    return bytes;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray damageAviFrame(const QByteArray& avi, int frame) {
    const int movi = avi.indexOf("movi");
    if (movi < 0)
        return {};
    int seen = 0;
    for (qsizetype at = movi + 4; at + 8 <= avi.size();) {
        const QByteArray id = avi.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(avi.constData() + at + 4);
        if (id == "idx1" || at + 8 + qsizetype(size) > avi.size())
            break;
        if (id.endsWith("dc") && size > 0 && seen++ == frame) {
            QByteArray damaged = avi;
            for (quint32 i = 0; i < size; ++i)
                damaged[at + 8 + i] = char((i * 37 + 11) & 0x7f);
            return damaged;
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

QString samplesDir() {
    const QString dir = QStringLiteral(TRAXILO_SAMPLES_DIR);
    return QDir(dir).exists() ? QDir(dir).absolutePath() : QString();
}

} // namespace traxilo::test
