#include "clip/ffmpeg_container.h"

#include "clip/display_orientation.h"

#include <QFile>
#include <algorithm>
#include <cmath>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/display.h>
}

namespace traxilo {

namespace {

constexpr int kMaxSide = 16384;
// Enough of a file's beginning for the container library to know it.
constexpr qint64 kProbeBytes = 1 << 20;

} // namespace

QString fourCCText(uint32_t tag) {
    QString text;
    for (int i = 0; i < 4; ++i) {
        const char c = char((tag >> (8 * i)) & 0xff);
        if (c < 32 || c > 126)
            return {};
        text += QLatin1Char(c);
    }
    return text;
}

void notePictureGeometry(VideoFacts& facts, AVFormatContext* format, int stream) {
    AVStream* st = format->streams[stream];
    facts.storedWidth = st->codecpar->width;
    facts.storedHeight = st->codecpar->height;
    // Square pixels: the width stretched or narrowed by the sample aspect
    // (DV and 4:3 MPEG-2 store 720 pixels for 768 or 640 shown).
    const AVRational aspect = av_guess_sample_aspect_ratio(format, st, nullptr);
    double stretch = aspect.num > 0 && aspect.den > 0 ? av_q2d(aspect) : 1.0;
    if (!(stretch >= 0.25 && stretch <= 4.0))
        stretch = 1.0;
    const int width = std::clamp(int(std::lround(facts.storedWidth * stretch)), 1, kMaxSide);
    const int height = facts.storedHeight;
#if LIBAVFORMAT_VERSION_MAJOR >= 61 ||                                                             \
    (LIBAVFORMAT_VERSION_MAJOR == 60 && LIBAVFORMAT_VERSION_MINOR >= 15)
    const AVPacketSideData* side = av_packet_side_data_get(
        st->codecpar->coded_side_data, st->codecpar->nb_coded_side_data, AV_PKT_DATA_DISPLAYMATRIX);
    const auto* matrix =
        side && side->size >= 9 * 4 ? reinterpret_cast<const int32_t*>(side->data) : nullptr;
#else
    std::size_t size = 0;
    const uint8_t* data = av_stream_get_side_data(st, AV_PKT_DATA_DISPLAYMATRIX, &size);
    const auto* matrix = data && size >= 9 * 4 ? reinterpret_cast<const int32_t*>(data) : nullptr;
#endif
    const DisplayOrientation orientation = displayOrientation(matrix);
    facts.rotation = orientation.rotation;
    facts.mirrored = orientation.mirrored;
    const bool quarter = facts.rotation == 90 || facts.rotation == 270;
    facts.width = quarter ? height : width;
    facts.height = quarter ? width : height;
}

QString unopenedFileReason(const QString& path) {
    const QString unknown = QStringLiteral("ce fichier n'est pas un clip vidéo reconnu.");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unknown;
    QByteArray head = file.read(kProbeBytes);
    if (head.isEmpty())
        return unknown;
    const int size = int(head.size());
    head.append(QByteArray(AVPROBE_PADDING_SIZE, '\0'));
    AVProbeData probe{};
    probe.filename = ""; // the content alone: a name says nothing of it
    probe.buf = reinterpret_cast<unsigned char*>(head.data());
    probe.buf_size = size;
    int score = 0;
    const AVInputFormat* known = av_probe_input_format2(&probe, 1, &score);
    // Text and odd bytes may look a little like some format; the start of a
    // real container leaves no doubt.
    if (!known || score < AVPROBE_SCORE_MAX / 2)
        return unknown;
    const QString name = QString::fromUtf8(known->long_name ? known->long_name : known->name);
    return QStringLiteral("le fichier est incomplet (format %1 reconnu, mais des données "
                          "nécessaires manquent : copie ou enregistrement interrompu ?).")
        .arg(name);
}

} // namespace traxilo
