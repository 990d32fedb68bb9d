#include "clip/avi_header.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cmath>
#include <optional>

namespace traxilo {

namespace {

const QString kBeyondEnd = QStringLiteral("Lecture au-delà de la fin de fichier");
const QString kCannotOpen = QStringLiteral("Impossible d'ouvrir le fichier");

std::optional<QByteArray> readAt(QIODevice& file, qint64 offset, int size) {
    if (!file.seek(offset))
        return std::nullopt;
    QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return std::nullopt;
    return bytes;
}

std::optional<qint32> readInt32(QIODevice& file, qint64 offset) {
    const auto bytes = readAt(file, offset, 4);
    if (!bytes)
        return std::nullopt;
    return qFromLittleEndian<qint32>(bytes->constData());
}

// Round to nearest, ties to even; 0 when the value has no 32-bit integer
// (a zero scale gives an infinite rate).
qint32 roundRate(long double x) {
    if (!std::isfinite(x) || x >= 2147483647.5L || x <= -2147483648.5L)
        return 0;
    return static_cast<qint32>(std::nearbyint(x));
}

struct CodecRow {
    const char* code;
    const char* name;
};

// Searched in this order; the first equal code wins.
constexpr CodecRow kCodecTable[] = {
    {"cvid", "Cinepak Codec by Radius"},
    {"iv32", "Intel Indeo Video R3.2"},
    {"msvc", "Microsoft Video 1"},
    {"cram", "Microsoft Video 1"},
    {"mrle", "Microsoft RLE"},
    {"dib ", "Microsoft Bitmap, non compressé"},
    {"yvu9", "Intel Indeo Video Raw R1.1"},
    {"iv50", "Intel Video 5.04"},
    {"vdom", "VDOnet VDOWave"},
    {"mpv4", "MS MPEG-4 Video Codec V1"},
    {"mp42", "MS MPEG-4 Video Codec V2"},
    {"i263", "Intel I.263 Video Driver 2.55.012"},
    {"iv41", "Intel Indeo Video Interactive"},
    {"div3", "DivX Mpeg4"},
    {"div4", "DivX Mpeg4"},
    {"div5", "?"},
    {"divx", "DivX Codec"},
    {"dvsd", ""},
    {"", "Non compressé"},
};

} // namespace

AviHeaderResult ReadAviHeader(const QString& path) {
    // A pipe or a device would block or never end: only regular files are read.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        AviHeaderResult result;
        result.error = AviHeaderError::CannotOpen;
        result.errorText = kCannotOpen;
        return result;
    }
    return ReadAviHeader(file);
}

AviHeaderResult ReadAviHeader(QIODevice& file) {
    AviHeaderResult result;
    auto fail = [&result]() {
        result.error = AviHeaderError::BeyondEnd;
        result.errorText = kBeyondEnd;
        result.info = {};
        return result;
    };

    AviHeaderInfo& info = result.info;
    const auto frames = readInt32(file, 48);
    const auto width = frames ? readInt32(file, 64) : std::nullopt;
    const auto height = width ? readInt32(file, 68) : std::nullopt;
    const auto fourCC = height ? readAt(file, 112, 4) : std::nullopt;
    const auto rate = fourCC ? readInt32(file, 132) : std::nullopt;
    if (!rate)
        return fail();
    info.frameCount = *frames;
    info.width = *width;
    info.height = *height;
    const qsizetype zero = fourCC->indexOf('\0');
    info.codecFourCC = QString::fromLatin1(fourCC->left(zero < 0 ? 4 : zero));
    info.rate = *rate;
    if (info.rate >= 1) {
        const auto scale = readInt32(file, 128);
        if (!scale)
            return fail();
        info.scale = *scale;
        info.framePeriod = static_cast<long double>(info.scale) / info.rate;
    } else {
        info.framePeriod = -1;
    }
    info.duration = info.frameCount * info.framePeriod;
    info.framesPerSecond = roundRate(1.0L / info.framePeriod);
    info.valid = info.frameCount > 0 && info.width > 0 && info.height > 0 && info.framePeriod > 0;
    return result;
}

QString LowerFourCC(const QString& fourCC) {
    QString lower = fourCC;
    for (QChar& c : lower) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return lower;
}

QString CodecName(const QString& fourCC) {
    const QString code = LowerFourCC(fourCC);
    for (const CodecRow& row : kCodecTable) {
        if (code == QLatin1String(row.code))
            return QString::fromUtf8(row.name);
    }
    return QStringLiteral("inconnu");
}

} // namespace traxilo
