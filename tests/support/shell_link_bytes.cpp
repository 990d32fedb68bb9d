#include "support/shell_link_bytes.h"

#include <QtEndian>

namespace traxilo::test {

namespace {

void appendU16(QByteArray& bytes, quint16 value) {
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void appendU32(QByteArray& bytes, quint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void appendString(QByteArray& bytes, const QString& text, bool unicode) {
    appendU16(bytes, static_cast<quint16>(text.size()));
    if (unicode) {
        for (QChar c : text)
            appendU16(bytes, c.unicode());
    } else {
        bytes.append(text.toLatin1());
    }
}

constexpr char kClsid[16] = {0x01,       0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                             char(0xC0), 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

} // namespace

int localBasePathOffsetField(const ShellLinkFields& linkFields) {
    return 76 + (linkFields.withIdList ? 4 : 0) + 16;
}

QByteArray makeShellLinkBytes(const ShellLinkFields& linkFields) {
    const bool hasInfo = !linkFields.localBasePath.isEmpty();
    quint32 flags = 0;
    flags |= linkFields.withIdList ? 0x1 : 0;
    flags |= hasInfo ? 0x2 : 0;
    flags |= linkFields.name.isEmpty() ? 0 : 0x4;
    flags |= linkFields.relativePath.isEmpty() ? 0 : 0x8;
    flags |= linkFields.workingDir.isEmpty() ? 0 : 0x10;
    flags |= linkFields.unicode ? 0x80 : 0;

    QByteArray bytes;
    appendU32(bytes, 0x4C);
    bytes.append(kClsid, 16);
    appendU32(bytes, flags);
    bytes.append(76 - bytes.size(), '\0'); // attributes, times, size, icon, show, keys

    if (linkFields.withIdList) {
        appendU16(bytes, 2);
        appendU16(bytes, 0); // terminal item
    }
    if (hasInfo) {
        const quint32 headerSize = 0x1C;
        const quint32 localOffset = headerSize;
        const quint32 suffixOffset = localOffset + linkFields.localBasePath.size() + 1;
        const quint32 size = suffixOffset + linkFields.commonPathSuffix.size() + 1;
        appendU32(bytes, size);
        appendU32(bytes, headerSize);
        appendU32(bytes, 0x1); // VolumeIDAndLocalBasePath
        appendU32(bytes, 0);   // no VolumeID needed by the reader
        appendU32(bytes, localOffset);
        appendU32(bytes, 0);
        appendU32(bytes, suffixOffset);
        bytes.append(linkFields.localBasePath).append('\0');
        bytes.append(linkFields.commonPathSuffix).append('\0');
    }
    if (!linkFields.name.isEmpty())
        appendString(bytes, linkFields.name, linkFields.unicode);
    if (!linkFields.relativePath.isEmpty())
        appendString(bytes, linkFields.relativePath, linkFields.unicode);
    if (!linkFields.workingDir.isEmpty())
        appendString(bytes, linkFields.workingDir, linkFields.unicode);
    appendU32(bytes, 0); // terminal extra-data block
    return bytes;
}

} // namespace traxilo::test
