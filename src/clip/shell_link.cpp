#include "clip/shell_link.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace traxilo {

namespace {

constexpr quint32 kHasLinkTargetIDList = 0x1;
constexpr quint32 kHasLinkInfo = 0x2;
constexpr quint32 kHasName = 0x4;
constexpr quint32 kHasRelativePath = 0x8;
constexpr quint32 kHasWorkingDir = 0x10;
constexpr quint32 kHasArguments = 0x20;
constexpr quint32 kHasIconLocation = 0x40;
constexpr quint32 kIsUnicode = 0x80;
constexpr quint32 kForceNoLinkInfo = 0x100;

constexpr quint32 kVolumeIDAndLocalBasePath = 0x1;
constexpr quint32 kCommonNetworkRelativeLinkAndPathSuffix = 0x2;

constexpr qint64 kMaxShortcutBytes = 4 * 1024 * 1024;

const char kLinkClsid[16] = {0x01,       0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                             char(0xC0), 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Windows-1252 where it differs from Latin-1; undefined bytes stay as they are.
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(const char* data, qsizetype size) {
    QString text;
    text.reserve(size);
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        text += byte >= 0x80 && byte < 0xA0 ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// Bounds-checked reads over [begin, end) of the file's bytes.
class Reader {
public:
    Reader(const QByteArray& data, qsizetype begin, qsizetype end)
        : m_data(data), m_begin(begin), m_end(qMin(end, data.size())) {}

    bool has(qsizetype offset, qsizetype size) const {
        return offset >= 0 && size >= 0 && m_begin + offset <= m_end - size;
    }
    Reader sub(qsizetype offset, qsizetype size) const {
        const qsizetype begin = m_begin + offset;
        return Reader(m_data, begin, qMin(begin + size, m_end));
    }
    std::optional<quint16> u16(qsizetype offset) const {
        if (!has(offset, 2))
            return std::nullopt;
        return qFromLittleEndian<quint16>(m_data.constData() + m_begin + offset);
    }
    std::optional<quint32> u32(qsizetype offset) const {
        if (!has(offset, 4))
            return std::nullopt;
        return qFromLittleEndian<quint32>(m_data.constData() + m_begin + offset);
    }
    // A zero-terminated string inside the range.
    std::optional<QString> ansiz(qsizetype offset) const {
        if (!has(offset, 1))
            return std::nullopt;
        const char* start = m_data.constData() + m_begin + offset;
        const qsizetype room = m_end - m_begin - offset;
        const auto* stop = static_cast<const char*>(memchr(start, 0, static_cast<size_t>(room)));
        if (!stop)
            return std::nullopt;
        return fromCp1252(start, stop - start);
    }
    std::optional<QString> utf16z(qsizetype offset) const {
        QString text;
        for (qsizetype at = offset;; at += 2) {
            const auto unit = u16(at);
            if (!unit)
                return std::nullopt;
            if (*unit == 0)
                return text;
            text += QChar(*unit);
        }
    }
    std::optional<QString> counted(qsizetype offset, quint16 count, bool unicode) const {
        const qsizetype bytes = unicode ? 2 * qsizetype(count) : qsizetype(count);
        if (!has(offset, bytes))
            return std::nullopt;
        const char* start = m_data.constData() + m_begin + offset;
        if (!unicode)
            return fromCp1252(start, bytes);
        QString text(count, Qt::Uninitialized);
        for (quint16 i = 0; i < count; ++i)
            text[i] = QChar(qFromLittleEndian<quint16>(start + 2 * i));
        return text;
    }

private:
    const QByteArray& m_data;
    qsizetype m_begin;
    qsizetype m_end;
};

// LinkInfo: local base path, common path suffix and network name, each at an
// offset inside the structure; the Unicode forms win when the header has them.
bool parseLinkInfo(const Reader& info, quint32 size, ShellLink& link) {
    const auto headerSize = info.u32(4);
    const auto flags = info.u32(8);
    const auto localOffset = info.u32(16);
    const auto networkOffset = info.u32(20);
    const auto suffixOffset = info.u32(24);
    if (!headerSize || !flags || !localOffset || !networkOffset || !suffixOffset ||
        *headerSize < 0x1C || *headerSize > size)
        return false;
    const bool unicodeOffsets = *headerSize >= 0x24;
    const auto localOffsetW = unicodeOffsets ? info.u32(28) : std::optional<quint32>(0);
    const auto suffixOffsetW = unicodeOffsets ? info.u32(32) : std::optional<quint32>(0);
    if (!localOffsetW || !suffixOffsetW)
        return false;

    auto text = [&info](quint32 ansiOffset, quint32 wideOffset) -> std::optional<QString> {
        return wideOffset != 0 ? info.utf16z(wideOffset) : info.ansiz(ansiOffset);
    };
    if (*flags & kVolumeIDAndLocalBasePath) {
        const auto local = text(*localOffset, *localOffsetW);
        if (!local)
            return false;
        link.localBasePath = *local;
    }
    if (*suffixOffset != 0 || *suffixOffsetW != 0) {
        const auto suffix = text(*suffixOffset, *suffixOffsetW);
        if (!suffix)
            return false;
        link.commonPathSuffix = *suffix;
    }
    if (*flags & kCommonNetworkRelativeLinkAndPathSuffix) {
        const auto netSize = info.u32(*networkOffset);
        const auto netNameOffset = info.u32(qsizetype(*networkOffset) + 8);
        if (!netSize || !netNameOffset || *netSize < 0x14)
            return false;
        const Reader net = info.sub(*networkOffset, *netSize);
        const auto netName = net.ansiz(*netNameOffset);
        if (!netName)
            return false;
        link.netName = *netName;
    }
    return true;
}

} // namespace

std::optional<ShellLink> ParseShellLink(const QByteArray& data) {
    const Reader all(data, 0, data.size());
    if (all.u32(0) != 0x4Cu || !all.has(0, 76) || memcmp(data.constData() + 4, kLinkClsid, 16) != 0)
        return std::nullopt;
    ShellLink link;
    link.linkFlags = *all.u32(20);
    qsizetype at = 76;
    if (link.linkFlags & kHasLinkTargetIDList) {
        const auto idListSize = all.u16(at);
        if (!idListSize || !all.has(at + 2, *idListSize))
            return std::nullopt;
        at += 2 + *idListSize;
    }
    if (link.linkFlags & kHasLinkInfo) {
        const auto size = all.u32(at);
        if (!size || *size < 0x1C || !all.has(at, *size))
            return std::nullopt;
        ShellLink fromInfo;
        if (!parseLinkInfo(Reader(data, at, at + *size), *size, fromInfo))
            return std::nullopt;
        if (!(link.linkFlags & kForceNoLinkInfo)) {
            link.localBasePath = fromInfo.localBasePath;
            link.commonPathSuffix = fromInfo.commonPathSuffix;
            link.netName = fromInfo.netName;
        }
        at += *size;
    }
    const bool unicode = link.linkFlags & kIsUnicode;
    const std::pair<quint32, QString*> strings[] = {
        {kHasName, &link.name},
        {kHasRelativePath, &link.relativePath},
        {kHasWorkingDir, &link.workingDir},
        {kHasArguments, &link.arguments},
        {kHasIconLocation, &link.iconLocation},
    };
    for (const auto& [flag, target] : strings) {
        if (!(link.linkFlags & flag))
            continue;
        const auto count = all.u16(at);
        if (!count)
            return std::nullopt;
        const auto text = all.counted(at + 2, *count, unicode);
        if (!text)
            return std::nullopt;
        *target = *text;
        at += 2 + (unicode ? 2 : 1) * qsizetype(*count);
    }
    return link;
}

ShortcutTarget ResolveShortcut(const QString& shortcutPath) {
    const ShortcutTarget notFound{QString(), QStringLiteral("Cible introuvable")};
    const QFileInfo shortcut(shortcutPath);
    if (!shortcut.isFile() || shortcut.size() > kMaxShortcutBytes)
        return notFound;
    QFile file(shortcutPath);
    if (!file.open(QIODevice::ReadOnly))
        return notFound;
    const auto link = ParseShellLink(file.readAll());
    if (!link)
        return notFound;

    const QString local = link->localPath();
    if (local.startsWith(u'/') && QFileInfo::exists(local))
        return {QDir::cleanPath(local), QString()};
    if (!link->relativePath.isEmpty()) {
        QString relative = link->relativePath;
        relative.replace(u'\\', u'/');
        const QString candidate =
            QDir::cleanPath(QDir(shortcut.absolutePath()).absoluteFilePath(relative));
        if (QFileInfo::exists(candidate))
            return {candidate, QString()};
    }
    return notFound;
}

} // namespace traxilo
