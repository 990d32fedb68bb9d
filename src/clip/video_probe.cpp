#include "clip/video_probe.h"

#include "clip/ffmpeg_container.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/time.h>
}

namespace traxilo {

namespace {

// A file on a slow network share must not hold the dialog for long.
constexpr int64_t kProbeTimeoutUs = 5'000'000;

struct Deadline {
    int64_t at = 0;
    static int passed(void* opaque) {
        return av_gettime_relative() > static_cast<const Deadline*>(opaque)->at;
    }
};

struct CloseInput {
    void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};

bool fail(QString* why, const QString& text) {
    if (why)
        *why = text;
    return false;
}

double seconds(int64_t value, AVRational base) {
    return value == AV_NOPTS_VALUE || value <= 0 ? 0.0 : double(value) * av_q2d(base);
}

} // namespace

std::optional<VideoFacts> probeVideoFile(const QString& path, QString* why) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        fail(why, QStringLiteral("le fichier « %1 » est introuvable.").arg(path));
        return std::nullopt;
    }
    if (!info.isReadable()) {
        fail(why, QStringLiteral("le fichier « %1 » ne peut pas être lu.").arg(path));
        return std::nullopt;
    }
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) {
        fail(why, QStringLiteral("mémoire insuffisante."));
        return std::nullopt;
    }
    Deadline deadline{av_gettime_relative() + kProbeTimeoutUs};
    raw->interrupt_callback = {&Deadline::passed, &deadline};
    const QByteArray name = QFile::encodeName(path);
    if (avformat_open_input(&raw, name.constData(), nullptr, nullptr) < 0) {
        fail(why, unopenedFileReason(path)); // the failed call freed the context
        return std::nullopt;
    }
    const std::unique_ptr<AVFormatContext, CloseInput> format(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        fail(why, QStringLiteral("le contenu du fichier est illisible."));
        return std::nullopt;
    }
    const int stream = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0 || (raw->streams[stream]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
        fail(why, QStringLiteral("le fichier ne contient pas de piste vidéo."));
        return std::nullopt;
    }
    const AVStream* st = raw->streams[stream];
    if (st->codecpar->width <= 0 || st->codecpar->height <= 0) {
        fail(why, QStringLiteral("la taille d'image indiquée (%1 × %2) n'est pas valable.")
                      .arg(st->codecpar->width)
                      .arg(st->codecpar->height));
        return std::nullopt;
    }

    VideoFacts facts;
    notePictureGeometry(facts, raw, stream);
    const AVRational rate = st->avg_frame_rate.num > 0 ? st->avg_frame_rate : st->r_frame_rate;
    facts.frameRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0;
    if (facts.frameRate > 1000)
        facts.frameRate = 0;
    double duration = seconds(st->duration, st->time_base);
    if (!(duration > 0))
        duration = seconds(raw->duration, AVRational{1, AV_TIME_BASE});
    facts.frameCount = st->nb_frames > 0 && st->nb_frames < INT32_MAX ? int(st->nb_frames)
                       : duration > 0 && facts.frameRate > 0
                           ? int(std::lround(duration * facts.frameRate))
                           : 0;
    if (facts.frameCount <= 0) {
        fail(why, QStringLiteral("il ne contient aucune image."));
        return std::nullopt;
    }
    if (!(duration > 0) && facts.frameRate > 0)
        duration = facts.frameCount / facts.frameRate;
    facts.durationMs = duration * 1000.0;
    facts.codecFourCC = fourCCText(st->codecpar->codec_tag);
    facts.codecName = QString::fromLatin1(avcodec_get_name(st->codecpar->codec_id));
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(st->codecpar->codec_id);
    facts.codecLongName = descriptor && descriptor->long_name
                              ? QString::fromUtf8(descriptor->long_name)
                              : facts.codecName;
    return facts;
}

} // namespace traxilo
