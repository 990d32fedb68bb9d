#include "clipgen/clip_encoder.h"

#include <QFile>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace traxilo::clipgen {

namespace {

struct CodecChoice {
    const char* encoder;
    AVPixelFormat pixelFormat;
    uint32_t tag; // 0: the muxer's choice (or a zero FourCC for raw frames)
};

constexpr uint32_t fourcc(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

CodecChoice choiceFor(Codec codec) {
    switch (codec) {
    case Codec::Mjpeg:
        return {"mjpeg", AV_PIX_FMT_YUVJ420P, fourcc('M', 'J', 'P', 'G')};
    case Codec::RawDib:
        return {"rawvideo", AV_PIX_FMT_BGR24, fourcc('D', 'I', 'B', ' ')};
    case Codec::RawNoFourCC:
        return {"rawvideo", AV_PIX_FMT_BGR24, 0};
    case Codec::MsVideo1:
        return {"msvideo1", AV_PIX_FMT_RGB555LE, fourcc('C', 'R', 'A', 'M')};
    case Codec::Cinepak:
        return {"cinepak", AV_PIX_FMT_RGB24, fourcc('c', 'v', 'i', 'd')};
    case Codec::Mpeg4Xvid:
        return {"mpeg4", AV_PIX_FMT_YUV420P, fourcc('X', 'V', 'I', 'D')};
    case Codec::Mpeg4Divx:
        return {"mpeg4", AV_PIX_FMT_YUV420P, fourcc('D', 'I', 'V', 'X')};
    case Codec::MsMpeg4v2:
        return {"msmpeg4v2", AV_PIX_FMT_YUV420P, fourcc('M', 'P', '4', '2')};
    case Codec::MsMpeg4v3:
        return {"msmpeg4", AV_PIX_FMT_YUV420P, fourcc('D', 'I', 'V', '3')};
    case Codec::H264:
        return {"libx264", AV_PIX_FMT_YUV420P, 0};
    case Codec::Hevc:
        return {"libx265", AV_PIX_FMT_YUV420P, 0};
    case Codec::Dv:
        return {"dvvideo", AV_PIX_FMT_YUV420P, fourcc('d', 'v', 's', 'd')};
    }
    return {"mjpeg", AV_PIX_FMT_YUVJ420P, 0};
}

QString avError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

bool addDisplayMatrix(AVStream* stream, const int32_t* matrix) {
#if LIBAVFORMAT_VERSION_MAJOR >= 61 ||                                                             \
    (LIBAVFORMAT_VERSION_MAJOR == 60 && LIBAVFORMAT_VERSION_MINOR >= 15)
    AVPacketSideData* side = av_packet_side_data_new(
        &stream->codecpar->coded_side_data, &stream->codecpar->nb_coded_side_data,
        AV_PKT_DATA_DISPLAYMATRIX, sizeof(int32_t) * 9, 0);
    uint8_t* data = side ? side->data : nullptr;
#else
    uint8_t* data = av_stream_new_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, sizeof(int32_t) * 9);
#endif
    if (!data)
        return false;
    memcpy(data, matrix, sizeof(int32_t) * 9);
    return true;
}

// Writes the FourCC of the first video stream into its stream handler and
// clears the bitmap compression field (BI_RGB), as capture programs do for
// uncompressed frames; the AVI muxer writes zero there whatever it is given.
bool setRawAviFourCC(const QString& path, uint32_t tag) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray head = file.read(8192);
    const int strh = head.indexOf("strh");
    const int strf = head.indexOf("strf", strh);
    if (strh < 0 || strf < 0 || head.mid(strh + 8, 4) != "vids" || strf + 8 + 20 > head.size())
        return false;
    const char bytes[4] = {char(tag & 0xff), char((tag >> 8) & 0xff), char((tag >> 16) & 0xff),
                           char(tag >> 24)};
    head.replace(strh + 12, 4, bytes, 4); // fccHandler
    const char zero[4] = {0, 0, 0, 0};
    head.replace(strf + 8 + 16, 4, zero, 4); // biCompression
    file.seek(0);
    return file.write(head) == head.size();
}

// The two ends of a copy of packets without re-encoding, closed on every way
// out.
struct Remux {
    AVFormatContext* in = nullptr;
    AVFormatContext* out = nullptr;
    AVPacket* packet = av_packet_alloc();
    QString why; // what went wrong opening the input

    Remux() = default;
    Remux(const Remux&) = delete;
    Remux& operator=(const Remux&) = delete;
    ~Remux() {
        av_packet_free(&packet);
        avformat_close_input(&in);
        if (out) {
            if (out->pb)
                avio_closep(&out->pb);
            avformat_free_context(out);
        }
    }

    // Opens `source`; its video track, or -1 with `why`.
    int openInput(const QString& source) {
        const QByteArray name = source.toUtf8();
        if (!packet || avformat_open_input(&in, name.constData(), nullptr, nullptr) < 0 ||
            avformat_find_stream_info(in, nullptr) < 0) {
            why = QStringLiteral("lecture de %1 impossible").arg(source);
            return -1;
        }
        const int video = av_find_best_stream(in, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (video < 0)
            why = QStringLiteral("pas de piste vidéo dans %1").arg(source);
        return video;
    }
};

} // namespace

struct ClipEncoder::Private {
    ClipSpec clipSpec;
    QString path;
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* sws = nullptr;
    bool headerWritten = false;
    int64_t lastPts = -1;
    // The sound track, when there is one: a steady tone.
    AVCodecContext* sound = nullptr;
    AVStream* soundStream = nullptr;
    AVFrame* soundFrame = nullptr;
    int64_t samplesWritten = 0;

    ~Private() {
        sws_freeContext(sws);
        av_packet_free(&packet);
        av_frame_free(&frame);
        av_frame_free(&soundFrame);
        avcodec_free_context(&codec);
        avcodec_free_context(&sound);
        if (format) {
            if (format->pb)
                avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    bool drain(QString* error) { return drain(codec, stream, error); }

    bool drain(AVCodecContext* from, AVStream* to, QString* error) {
        for (;;) {
            const int r = avcodec_receive_packet(from, packet);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0)
                return fail(error, QStringLiteral("encodage : %1").arg(avError(r)));
            av_packet_rescale_ts(packet, from->time_base, to->time_base);
            packet->stream_index = to->index;
            const int w = av_interleaved_write_frame(format, packet);
            if (w < 0)
                return fail(error, QStringLiteral("écriture : %1").arg(avError(w)));
        }
    }

    bool openSound(QString* error) {
        const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (!encoder)
            return fail(error, QStringLiteral("encodeur absent : aac"));
        soundStream = avformat_new_stream(format, nullptr);
        sound = avcodec_alloc_context3(encoder);
        soundFrame = av_frame_alloc();
        if (!soundStream || !sound || !soundFrame)
            return fail(error, QStringLiteral("mémoire insuffisante"));
        sound->sample_fmt = AV_SAMPLE_FMT_FLTP;
        sound->sample_rate = 48000;
        sound->bit_rate = 64000;
        sound->time_base = AVRational{1, sound->sample_rate};
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(57, 24, 100)
        av_channel_layout_default(&sound->ch_layout, 1);
#else
        sound->channels = 1;
        sound->channel_layout = AV_CH_LAYOUT_MONO;
#endif
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            sound->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        const int r = avcodec_open2(sound, encoder, nullptr);
        if (r < 0)
            return fail(error, QStringLiteral("ouverture de l'encodeur : %1").arg(avError(r)));
        avcodec_parameters_from_context(soundStream->codecpar, sound);
        soundStream->time_base = sound->time_base;
        soundFrame->format = sound->sample_fmt;
        soundFrame->sample_rate = sound->sample_rate;
        soundFrame->nb_samples = sound->frame_size > 0 ? sound->frame_size : 1024;
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(57, 24, 100)
        av_channel_layout_copy(&soundFrame->ch_layout, &sound->ch_layout);
#else
        soundFrame->channels = 1;
        soundFrame->channel_layout = AV_CH_LAYOUT_MONO;
#endif
        if (av_frame_get_buffer(soundFrame, 0) < 0)
            return fail(error, QStringLiteral("mémoire insuffisante"));
        return true;
    }

    // Sound up to `untilSeconds`, in whole frames of the encoder.
    bool writeSound(double untilSeconds, QString* error) {
        if (!sound)
            return true;
        const int64_t until = int64_t(std::ceil(untilSeconds * sound->sample_rate));
        while (samplesWritten < until) {
            if (av_frame_make_writable(soundFrame) < 0)
                return fail(error, QStringLiteral("mémoire insuffisante"));
            auto* samples = reinterpret_cast<float*>(soundFrame->data[0]);
            for (int i = 0; i < soundFrame->nb_samples; ++i)
                samples[i] = float(0.2 * std::sin(2 * M_PI * 440.0 * double(samplesWritten + i) /
                                                  sound->sample_rate));
            soundFrame->pts = samplesWritten;
            samplesWritten += soundFrame->nb_samples;
            const int r = avcodec_send_frame(sound, soundFrame);
            if (r < 0)
                return fail(error, QStringLiteral("encodage : %1").arg(avError(r)));
            if (!drain(sound, soundStream, error))
                return false;
        }
        return true;
    }
};

ClipEncoder::ClipEncoder() : d(std::make_unique<Private>()) {}
ClipEncoder::~ClipEncoder() = default;

bool ClipEncoder::open(const ClipSpec& clipSpec, const QString& path, QString* error) {
    d->clipSpec = clipSpec;
    d->path = path;
    if (clipSpec.width < 16 || clipSpec.height < 16 || clipSpec.width > 4096 ||
        clipSpec.height > 4096 || clipSpec.width % 4 || clipSpec.height % 4)
        return fail(error, QStringLiteral("taille non prise en charge (multiple de 4 requis)"));
    if (clipSpec.fpsNum <= 0 || clipSpec.fpsDen <= 0 || clipSpec.frames <= 0)
        return fail(error, QStringLiteral("cadence ou nombre d'images invalide"));
    const bool mp4 = clipSpec.container != Container::Avi; // MP4 or MOV
    const bool irregular = clipSpec.variableRate || clipSpec.laterFpsNum > 0;
    if ((irregular || clipSpec.rotation != 0 || clipSpec.mirrored || clipSpec.writeCaptureRate) &&
        !mp4)
        return fail(error, QStringLiteral("cadence variable, rotation et cadence de prise de vue "
                                          "demandent un conteneur MP4 ou MOV"));
    if (clipSpec.truncated && mp4)
        return fail(error, QStringLiteral("seul un AVI peut être coupé"));
    if (clipSpec.audio && !mp4)
        return fail(error, QStringLiteral("le son demande un conteneur MP4 ou MOV"));
    if (clipSpec.rotation % 90 != 0 || clipSpec.rotation < 0 || clipSpec.rotation >= 360)
        return fail(error, QStringLiteral("rotation de 0, 90, 180 ou 270 degrés seulement"));
    if (clipSpec.codec == Codec::Dv && (clipSpec.width != 720 || clipSpec.height != 576 ||
                                        clipSpec.fpsNum != 25 * clipSpec.fpsDen))
        return fail(error, QStringLiteral("le DV s'écrit en 720 x 576 à 25 images par seconde"));

    // Encoders report their settings at the information level: keep the
    // tool's output to real problems.
    if (av_log_get_level() == AV_LOG_INFO)
        av_log_set_level(AV_LOG_ERROR);
    const CodecChoice choice = choiceFor(clipSpec.codec);
    const AVCodec* encoder = avcodec_find_encoder_by_name(choice.encoder);
    if (!encoder)
        return fail(error, QStringLiteral("encodeur absent : %1").arg(choice.encoder));

    const QByteArray file = path.toUtf8();
    const char* muxer = clipSpec.container == Container::Mov   ? "mov"
                        : clipSpec.container == Container::Mp4 ? "mp4"
                                                               : "avi";
    if (avformat_alloc_output_context2(&d->format, nullptr, muxer, file.constData()) < 0)
        return fail(error, QStringLiteral("conteneur indisponible"));
    d->stream = avformat_new_stream(d->format, nullptr);
    d->codec = avcodec_alloc_context3(encoder);
    d->frame = av_frame_alloc();
    d->packet = av_packet_alloc();
    if (!d->stream || !d->codec || !d->frame || !d->packet)
        return fail(error, QStringLiteral("mémoire insuffisante"));

    AVCodecContext* c = d->codec;
    c->width = clipSpec.width;
    c->height = clipSpec.height;
    c->pix_fmt = clipSpec.tenBit && clipSpec.codec == Codec::Hevc ? AV_PIX_FMT_YUV420P10LE
                                                                  : choice.pixelFormat;
    c->framerate = AVRational{clipSpec.fpsNum, clipSpec.fpsDen};
    // Irregular timestamps in milliseconds, as many phones write; a change of
    // rate in the 1/90000 s of others.
    c->time_base = clipSpec.tickRate > 0   ? AVRational{1, clipSpec.tickRate}
                   : clipSpec.variableRate ? AVRational{1, 1000}
                   : clipSpec.laterFpsNum  ? AVRational{1, 90000}
                                           : AVRational{clipSpec.fpsDen, clipSpec.fpsNum};
    c->sample_aspect_ratio = AVRational{std::max(1, clipSpec.sarNum), std::max(1, clipSpec.sarDen)};
    c->gop_size = std::max(1, clipSpec.gop);
    c->max_b_frames = std::max(0, clipSpec.bFrames);
    c->thread_count = 2;
    if (choice.pixelFormat == AV_PIX_FMT_YUVJ420P)
        c->color_range = AVCOL_RANGE_JPEG;
    if (d->format->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

    const QByteArray gopParams =
        QStringLiteral("keyint=%1:min-keyint=%1:scenecut=0:open-gop=%2:bframes=%3")
            .arg(c->gop_size)
            .arg(clipSpec.openGop ? 1 : 0)
            .arg(c->max_b_frames)
            .toLatin1();
    switch (clipSpec.codec) {
    case Codec::Mjpeg:
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = FF_QP2LAMBDA * 3;
        break;
    case Codec::Mpeg4Xvid:
    case Codec::Mpeg4Divx:
    case Codec::MsMpeg4v2:
    case Codec::MsMpeg4v3:
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = FF_QP2LAMBDA * 2;
        // Rate-distortion macroblock decisions: the default one leaves a black
        // cell of the frame code half turned white in some P-frames.
        c->mb_decision = FF_MB_DECISION_RD;
        if (!clipSpec.openGop && c->max_b_frames > 0) {
            c->flags |= AV_CODEC_FLAG_CLOSED_GOP;
            av_opt_set_int(c, "sc_threshold", 1000000000, AV_OPT_SEARCH_CHILDREN);
        }
        break;
    case Codec::H264:
        av_opt_set(c->priv_data, "preset", "veryfast", 0);
        av_opt_set(c->priv_data, "x264-params", gopParams.constData(), 0);
        break;
    case Codec::Hevc:
        av_opt_set(c->priv_data, "preset", "ultrafast", 0);
        av_opt_set(c->priv_data, "x265-params", (gopParams + ":log-level=none").constData(), 0);
        break;
    default:
        break;
    }

    int r = avcodec_open2(c, encoder, nullptr);
    if (r < 0)
        return fail(error, QStringLiteral("ouverture de l'encodeur : %1").arg(avError(r)));
    avcodec_parameters_from_context(d->stream->codecpar, c);
    d->stream->time_base = c->time_base;
    d->stream->avg_frame_rate = c->framerate;
    d->stream->sample_aspect_ratio = c->sample_aspect_ratio;
    if (clipSpec.rotation != 0 || clipSpec.mirrored) {
        int32_t matrix[9];
        // Clockwise as seen on the screen; the flip comes after the turn.
        av_display_rotation_set(matrix, clipSpec.rotation);
        if (clipSpec.mirrored)
            av_display_matrix_flip(matrix, 1, 0);
        if (!addDisplayMatrix(d->stream, matrix))
            return fail(error, QStringLiteral("mémoire insuffisante"));
    }
    AVDictionary* options = nullptr;
    if (clipSpec.writeCaptureRate && clipSpec.captureRate > 0) {
        av_dict_set(&d->format->metadata, "com.android.capture.fps",
                    QByteArray::number(clipSpec.captureRate, 'f', 6).constData(), 0);
        av_dict_set(&options, "movflags", "use_metadata_tags", 0);
    }
    if (choice.tag)
        d->stream->codecpar->codec_tag = choice.tag;
    else if (!mp4)
        d->stream->codecpar->codec_tag = 0;
    if (clipSpec.audio && !d->openSound(error))
        return false;

    r = avio_open(&d->format->pb, file.constData(), AVIO_FLAG_WRITE);
    if (r < 0)
        return fail(error, QStringLiteral("création du fichier : %1").arg(avError(r)));
    r = avformat_write_header(d->format, &options);
    av_dict_free(&options);
    if (r < 0)
        return fail(error, QStringLiteral("en-tête : %1").arg(avError(r)));
    d->headerWritten = true;

    d->frame->format = c->pix_fmt;
    d->frame->width = c->width;
    d->frame->height = c->height;
    if (av_frame_get_buffer(d->frame, 0) < 0)
        return fail(error, QStringLiteral("mémoire insuffisante"));
    d->sws = sws_getContext(c->width, c->height, AV_PIX_FMT_RGB32, c->width, c->height, c->pix_fmt,
                            SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!d->sws)
        return fail(error, QStringLiteral("conversion de couleurs indisponible"));
    return true;
}

bool ClipEncoder::write(const QImage& picture, double timeSeconds, QString* error) {
    if (!d->headerWritten)
        return fail(error, QStringLiteral("encodeur non ouvert"));
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    if (av_frame_make_writable(d->frame) < 0)
        return fail(error, QStringLiteral("mémoire insuffisante"));
    const uint8_t* src[1] = {rgb.constBits()};
    const int srcStride[1] = {int(rgb.bytesPerLine())};
    sws_scale(d->sws, src, srcStride, 0, rgb.height(), d->frame->data, d->frame->linesize);

    const AVRational tb = d->codec->time_base;
    int64_t pts = std::llround(timeSeconds * tb.den / tb.num);
    if (pts <= d->lastPts)
        pts = d->lastPts + 1;
    d->lastPts = pts;
    d->frame->pts = pts;
    const int r = avcodec_send_frame(d->codec, d->frame);
    if (r < 0)
        return fail(error, QStringLiteral("encodage : %1").arg(avError(r)));
    return d->drain(error) && d->writeSound(timeSeconds, error);
}

bool ClipEncoder::finish(QString* error) {
    if (!d->headerWritten)
        return fail(error, QStringLiteral("encodeur non ouvert"));
    avcodec_send_frame(d->codec, nullptr);
    if (!d->drain(error))
        return false;
    if (d->sound) {
        // The sound lasts as long as the last frame is shown.
        const double period = double(d->clipSpec.fpsDen) / d->clipSpec.fpsNum;
        const double end =
            double(d->lastPts) * d->codec->time_base.num / d->codec->time_base.den + period;
        if (!d->writeSound(end, error))
            return false;
        avcodec_send_frame(d->sound, nullptr);
        if (!d->drain(d->sound, d->soundStream, error))
            return false;
    }
    const int r = av_write_trailer(d->format);
    avio_closep(&d->format->pb);
    d->headerWritten = false;
    if (r < 0)
        return fail(error, QStringLiteral("fin du fichier : %1").arg(avError(r)));
    const bool raw = d->clipSpec.codec == Codec::RawNoFourCC || d->clipSpec.codec == Codec::RawDib;
    if (raw && !setRawAviFourCC(d->path, choiceFor(d->clipSpec.codec).tag))
        return fail(error, QStringLiteral("en-tête AVI illisible"));
    if (d->clipSpec.truncated && !truncateAvi(d->path, error))
        return false;
    return true;
}

bool copyToAvi(const QString& source, const QString& path, QString* error) {
    Remux remux;
    AVFormatContext*& in = remux.in;
    AVFormatContext*& out = remux.out;
    AVPacket* packet = remux.packet;
    const auto done = [&](bool ok, const QString& why = {}) { return ok || fail(error, why); };
    const QByteArray fileName = path.toUtf8();
    const int video = remux.openInput(source);
    if (video < 0)
        return done(false, remux.why);
    const AVStream* from = in->streams[video];
    const AVRational rate =
        from->avg_frame_rate.num > 0 ? from->avg_frame_rate : from->r_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        return done(false, QStringLiteral("cadence inconnue"));
    if (avformat_alloc_output_context2(&out, nullptr, "avi", fileName.constData()) < 0)
        return done(false, QStringLiteral("conteneur indisponible"));
    AVStream* to = avformat_new_stream(out, nullptr);
    if (!to || avcodec_parameters_copy(to->codecpar, from->codecpar) < 0)
        return done(false, QStringLiteral("mémoire insuffisante"));
    to->time_base = AVRational{rate.den, 2 * rate.num};
    to->avg_frame_rate = rate;
    int r = avio_open(&out->pb, fileName.constData(), AVIO_FLAG_WRITE);
    if (r < 0 || (r = avformat_write_header(out, nullptr)) < 0)
        return done(false, QStringLiteral("création du fichier : %1").arg(avError(r)));
    int64_t shift = AV_NOPTS_VALUE; // the first decode time becomes 0
    while (av_read_frame(in, packet) >= 0) {
        if (packet->stream_index == video) {
            av_packet_rescale_ts(packet, from->time_base, to->time_base);
            if (shift == AV_NOPTS_VALUE)
                shift = packet->dts == AV_NOPTS_VALUE ? 0 : packet->dts;
            if (packet->dts != AV_NOPTS_VALUE)
                packet->dts -= shift;
            if (packet->pts != AV_NOPTS_VALUE)
                packet->pts -= shift;
            packet->stream_index = to->index;
            packet->pos = -1;
            r = av_interleaved_write_frame(out, packet);
            if (r < 0)
                return done(false, QStringLiteral("écriture : %1").arg(avError(r)));
        }
        av_packet_unref(packet);
    }
    r = av_write_trailer(out);
    if (r < 0)
        return done(false, QStringLiteral("fin du fichier : %1").arg(avError(r)));
    return done(true);
}

bool trimWithoutReencoding(const QString& source, const QString& path, Container container,
                           double cutSeconds, QString* error) {
    Remux remux;
    AVFormatContext*& in = remux.in;
    AVFormatContext*& out = remux.out;
    AVPacket* packet = remux.packet;
    const auto done = [&](bool ok, const QString& why = {}) { return ok || fail(error, why); };
    const QByteArray fileName = path.toUtf8();
    const int video = remux.openInput(source);
    if (video < 0)
        return done(false, remux.why);
    const char* muxer = container == Container::Mov ? "mov" : "mp4";
    if (avformat_alloc_output_context2(&out, nullptr, muxer, fileName.constData()) < 0)
        return done(false, QStringLiteral("conteneur indisponible"));
    for (unsigned i = 0; i < in->nb_streams; ++i) {
        const AVStream* from = in->streams[i];
        AVStream* to = avformat_new_stream(out, nullptr);
        if (!to || avcodec_parameters_copy(to->codecpar, from->codecpar) < 0)
            return done(false, QStringLiteral("mémoire insuffisante"));
        to->codecpar->codec_tag = 0; // the muxer's own
        to->time_base = from->time_base;
        to->avg_frame_rate = from->avg_frame_rate;
        to->sample_aspect_ratio = from->sample_aspect_ratio;
        av_dict_copy(&to->metadata, from->metadata, 0);
#if LIBAVFORMAT_VERSION_MAJOR < 61 &&                                                              \
    !(LIBAVFORMAT_VERSION_MAJOR == 60 && LIBAVFORMAT_VERSION_MINOR >= 15)
        // The display rotation travels as side data of the stream.
        for (int k = 0; k < from->nb_side_data; ++k) {
            const AVPacketSideData& side = from->side_data[k];
            uint8_t* data = av_stream_new_side_data(to, side.type, side.size);
            if (!data)
                return done(false, QStringLiteral("mémoire insuffisante"));
            memcpy(data, side.data, side.size);
        }
#endif
    }
    av_dict_copy(&out->metadata, in->metadata, 0);
    // Onto the keyframe at or before the cut; the other streams follow.
    const AVStream* picture = in->streams[video];
    const int64_t cut = av_rescale_q(int64_t(std::llround(cutSeconds * AV_TIME_BASE)),
                                     AV_TIME_BASE_Q, picture->time_base);
    if (av_seek_frame(in, video, cut, AVSEEK_FLAG_BACKWARD) < 0)
        return done(false, QStringLiteral("recherche de la coupe impossible"));
    int r = avio_open(&out->pb, fileName.constData(), AVIO_FLAG_WRITE);
    if (r < 0 || (r = avformat_write_header(out, nullptr)) < 0)
        return done(false, QStringLiteral("création du fichier : %1").arg(avError(r)));
    while (av_read_frame(in, packet) >= 0) {
        // Every packet is kept, those before the cut too: the cut moves to
        // time 0 and they go before it.
        const AVStream* from = in->streams[packet->stream_index];
        AVStream* to = out->streams[packet->stream_index];
        const int64_t shift = av_rescale_q(int64_t(std::llround(cutSeconds * AV_TIME_BASE)),
                                           AV_TIME_BASE_Q, from->time_base);
        if (packet->pts != AV_NOPTS_VALUE)
            packet->pts -= shift;
        if (packet->dts != AV_NOPTS_VALUE)
            packet->dts -= shift;
        av_packet_rescale_ts(packet, from->time_base, to->time_base);
        packet->pos = -1;
        r = av_interleaved_write_frame(out, packet);
        if (r < 0)
            return done(false, QStringLiteral("écriture : %1").arg(avError(r)));
    }
    r = av_write_trailer(out);
    if (r < 0)
        return done(false, QStringLiteral("fin du fichier : %1").arg(avError(r)));
    return done(true);
}

bool truncateAvi(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return fail(error, QStringLiteral("%1 ne peut pas être modifié").arg(path));
    const QByteArray bytes = file.readAll();
    const int movi = bytes.indexOf("movi");
    if (movi < 0)
        return fail(error, QStringLiteral("AVI sans données"));
    // Walk the chunks of the movie list up to the index.
    qint64 lastStart = -1;
    qint64 lastSize = 0;
    for (qint64 at = movi + 4; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size =
            quint32(uint8_t(bytes[at + 4])) | quint32(uint8_t(bytes[at + 5])) << 8 |
            quint32(uint8_t(bytes[at + 6])) << 16 | quint32(uint8_t(bytes[at + 7])) << 24;
        if (id == "idx1")
            break;
        if (id.endsWith("dc") && size > 1) {
            lastStart = at + 8;
            lastSize = size;
        }
        at += 8 + size + (size & 1);
    }
    if (lastStart < 0)
        return fail(error, QStringLiteral("AVI sans image"));
    if (!file.resize(lastStart + lastSize / 2))
        return fail(error, QStringLiteral("%1 ne peut pas être coupé").arg(path));
    return true;
}

} // namespace traxilo::clipgen
