#include "clip/ffmpeg_video_source.h"

#include "clip/ffmpeg_container.h"
#include "clip/frame_cache.h"
#include "clip/frame_index.h"

#include <QFileInfo>
#include <QTransform>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libavutil/time.h>
#include <libswscale/swscale.h>
}

namespace traxilo {

namespace {

constexpr int kDecoderThreads = 2;
constexpr int kMaxSide = 16384;
constexpr int kMaxPackets = 10'000'000;
constexpr int64_t kOpenTimeoutUs = 30'000'000;
constexpr int64_t kFrameTimeoutUs = 15'000'000;
constexpr int kSeekAttempts = 4;

QString openError(const QString& why) {
    return QStringLiteral("Impossible d'ouvrir le clip : %1").arg(why);
}

int64_t ts(int64_t value) {
    return value == AV_NOPTS_VALUE ? PacketInfo::kNoTimestamp : value;
}

std::size_t frameBytes(const AVFrame* f) {
    std::size_t bytes = sizeof(AVFrame);
    for (const AVBufferRef* b : f->buf) {
        if (b)
            bytes += b->size;
    }
    return bytes;
}

// Each packet sent to the decoder carries its decode index (plus one), and
// each frame out the tag of the packet it was decoded from, whatever the
// reordering: that is how a seek learns what its first packet really is.
void tagPacket(AVCodecContext* decoder, AVPacket* packet, int decodeIndex) {
#if LIBAVCODEC_VERSION_MAJOR >= 60
    (void)decoder;
    packet->opaque = reinterpret_cast<void*>(intptr_t(decodeIndex) + 1);
#else
    (void)packet;
    decoder->reordered_opaque = int64_t(decodeIndex) + 1;
#endif
}

int packetOfFrame(const AVFrame* frame, int packetCount) {
#if LIBAVCODEC_VERSION_MAJOR >= 60
    const int64_t tag = int64_t(reinterpret_cast<intptr_t>(frame->opaque));
#else
    const int64_t tag = frame->reordered_opaque;
#endif
    return tag >= 1 && tag <= packetCount ? int(tag - 1) : -1;
}

double captureRateOf(const AVFormatContext* format, const AVStream* stream) {
    // Android writes the rate it filmed at in the file's metadata.
    for (AVDictionary* tags : {format->metadata, stream->metadata}) {
        const AVDictionaryEntry* entry = av_dict_get(tags, "com.android.capture.fps", nullptr, 0);
        bool ok = false;
        const double rate = entry ? QString::fromLatin1(entry->value).toDouble(&ok) : 0;
        if (ok && rate > 0 && rate <= 100000)
            return rate;
    }
    return 0;
}

} // namespace

struct FfmpegVideoSource::Private {
    AVFormatContext* format = nullptr;
    AVCodecContext* decoder = nullptr;
    AVPacket* packet = nullptr;
    AVPacket* pending = nullptr; // read after a seek, not yet sent
    bool hasPending = false;
    int pendingIndex = -1; // its decode index
    AVFrame* decoded = nullptr;
    SwsContext* sws = nullptr;
    std::array<QImage, 3> spares;
    int nextSpare = 0;
    int stream = -1;

    FrameIndex index;
    FrameCache cache;
    VideoFacts facts;
    QString error;
    mutable std::mutex mutex; // the decoder and where it stands
    std::mutex convertMutex;  // the conversion context and its pictures
    int64_t deadline = 0;
    int decodedCount = 0;
    int seekCount = 0;

    // Decoding ahead on the prefetch thread is a hint: it gives the decoder
    // up, between two packets, as soon as frame() waits for it.
    std::atomic<int> waiting{0}; // frame() calls waiting for the mutex
    bool background = false;
    bool yielded = false;
    bool yieldNow() {
        yielded = yielded || (background && waiting.load(std::memory_order_relaxed) > 0);
        return yielded;
    }
    // Stepping backward: the frames just before the one shown are kept
    // decoded (see refillBehind); a refill once started goes on until they
    // are all there.
    bool refilling = false;
    int keepFrom = 0; // frames before it are not worth keeping
    void refillBehind(int position);

    // Where the decoder stands.
    bool positioned = false;
    bool atEnd = false;   // the decoder was drained; a seek must come next
    bool seenKey = false; // a keyframe came out since the seek
    bool calibrating = false;
    int seekKey = 0;
    int seekPacket = -1;        // decode index of the packet the seek landed on
    bool seekPacketOut = false; // a frame of that packet came out
    bool falseKey = false;      // it proved to be no keyframe: decoding from it is pointless
    bool tagsSeen = false;      // the decoder hands the packet tags back
    int firstAfterSeek = -1;
    int lastOut = -1;
    int keysSinceSeek = 0;
    bool uncertain = false; // a frame out of the seek could not be numbered
    // Palettes of palettised clips, by the packet that brought them. The
    // demuxer sends one once, with the first packet it reads: after a seek
    // the decoder needs it again.
    std::map<int, QByteArray> palettes;
    int resendPaletteFor = -1;
    // Frames that proved to need decoding from a keyframe further back than
    // the index says: the decode index of the one that worked.
    std::unordered_map<int, int> startPackets;
    // Frames the decoder cannot give: asked again, they fail at once.
    std::unordered_set<int> undecodable;

    ~Private() {
        sws_freeContext(sws);
        av_frame_free(&decoded);
        av_packet_free(&pending);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
        avformat_close_input(&format);
    }

    static int interrupted(void* opaque) {
        const auto* self = static_cast<const Private*>(opaque);
        return self->deadline != 0 && av_gettime_relative() > self->deadline;
    }

    bool openFile(const QString& path);
    bool buildIndex();
    bool openDecoder();
    bool seekToPacket(int decodeIndex, int key);
    bool readPacket(AVPacket* into);
    void decodeUntil(int target);
    void attachPalette(int decodeIndex);
    void takeFrame();
    int target = 0; // frame the decoding under way is for
    bool ensureFrame(int target);
    void setPictureGeometry();
    QImage convert(const AVFrame* frame, QSize size);
};

bool FfmpegVideoSource::Private::openFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        error = openError(QStringLiteral("le fichier « %1 » est introuvable.").arg(path));
        return false;
    }
    if (!info.isReadable()) {
        error = openError(QStringLiteral("le fichier « %1 » ne peut pas être lu.").arg(path));
        return false;
    }
    format = avformat_alloc_context();
    if (!format) {
        error = openError(QStringLiteral("mémoire insuffisante."));
        return false;
    }
    format->interrupt_callback = {&Private::interrupted, this};
    deadline = av_gettime_relative() + kOpenTimeoutUs;
    const QByteArray name = QFile::encodeName(path);
    if (avformat_open_input(&format, name.constData(), nullptr, nullptr) < 0) {
        format = nullptr; // freed by the failed call
        error = openError(unopenedFileReason(path));
        return false;
    }
    if (avformat_find_stream_info(format, nullptr) < 0) {
        error = openError(QStringLiteral("le contenu du fichier est illisible."));
        return false;
    }
    stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0 || (format->streams[stream]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
        error = openError(QStringLiteral("le fichier ne contient pas de piste vidéo."));
        return false;
    }
    for (unsigned i = 0; i < format->nb_streams; ++i)
        format->streams[i]->discard = int(i) == stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;

    const AVCodecParameters* par = format->streams[stream]->codecpar;
    if (par->width <= 0 || par->height <= 0 || par->width > kMaxSide || par->height > kMaxSide ||
        av_image_check_size(unsigned(par->width), unsigned(par->height), 0, nullptr) < 0) {
        error = openError(QStringLiteral("la taille d'image indiquée (%1 × %2) n'est pas valable.")
                              .arg(par->width)
                              .arg(par->height));
        return false;
    }
    return true;
}

bool FfmpegVideoSource::Private::buildIndex() {
    std::vector<PacketInfo> packets;
    bool lastCorrupt = false;
    for (int guard = 0; guard < kMaxPackets; ++guard) {
        const int r = av_read_frame(format, packet);
        if (r == AVERROR(EAGAIN))
            continue;
        if (r < 0)
            break;
        // Empty chunks (dropped frames of some capture programs) carry no
        // picture. Packets the container marks as not shown (before the cut
        // of a clip trimmed without re-encoding) are no frames, but the
        // frames after them refer to them.
        if (packet->stream_index == stream && packet->size > 0) {
            PacketInfo p;
            p.pts = ts(packet->pts);
            p.dts = ts(packet->dts);
            p.pos = packet->pos;
            p.duration = packet->duration;
            p.key = packet->flags & AV_PKT_FLAG_KEY;
            p.shown = !(packet->flags & AV_PKT_FLAG_DISCARD);
            std::size_t paletteSize = 0;
            const uint8_t* palette =
                av_packet_get_side_data(packet, AV_PKT_DATA_PALETTE, &paletteSize);
            if (palette && paletteSize > 0)
                palettes[int(packets.size())] =
                    QByteArray(reinterpret_cast<const char*>(palette), int(paletteSize));
            packets.push_back(p);
            lastCorrupt = packet->flags & AV_PKT_FLAG_CORRUPT;
        }
        av_packet_unref(packet);
    }
    // A truncated file ends on a packet cut short: it is no frame.
    if (lastCorrupt && packets.size() > 1)
        packets.pop_back();
    if (interrupted(this)) {
        error = openError(QStringLiteral("la lecture du fichier a pris trop de temps."));
        return false;
    }
    // An AVI stream counts one tick per chunk, empty ones included.
    const bool avi = std::strcmp(format->iformat->name, "avi") == 0;
    index.build(std::move(packets), avi);
    if (index.frameCount() == 0) {
        error = openError(QStringLiteral("il ne contient aucune image."));
        return false;
    }
    return true;
}

bool FfmpegVideoSource::Private::openDecoder() {
    const AVStream* st = format->streams[stream];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) {
        const QString name = QString::fromLatin1(avcodec_get_name(st->codecpar->codec_id));
        error = openError(QStringLiteral("le codec vidéo « %1 » n'est pas pris en charge.")
                              .arg(fourCCText(st->codecpar->codec_tag).isEmpty()
                                       ? name
                                       : fourCCText(st->codecpar->codec_tag)));
        return false;
    }
    decoder = avcodec_alloc_context3(codec);
    if (!decoder || avcodec_parameters_to_context(decoder, st->codecpar) < 0) {
        error = openError(QStringLiteral("mémoire insuffisante."));
        return false;
    }
    decoder->pkt_timebase = st->time_base;
#if LIBAVCODEC_VERSION_MAJOR >= 60
    decoder->flags |= AV_CODEC_FLAG_COPY_OPAQUE;
#endif
    decoder->thread_count = kDecoderThreads;
    decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(decoder, codec, nullptr) < 0) {
        error = openError(QStringLiteral("le décodeur « %1 » refuse ce clip.").arg(codec->name));
        return false;
    }
    facts.codecName = QString::fromLatin1(codec->name);
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec->id);
    facts.codecLongName =
        QString::fromUtf8(descriptor && descriptor->long_name ? descriptor->long_name
                          : codec->long_name                  ? codec->long_name
                                                              : codec->name);
    return true;
}

bool FfmpegVideoSource::Private::readPacket(AVPacket* into) {
    for (int guard = 0; guard < kMaxPackets; ++guard) {
        const int r = av_read_frame(format, into);
        if (r == AVERROR(EAGAIN))
            continue;
        if (r < 0)
            return false;
        if (into->stream_index == stream && into->size > 0) {
            // Hidden packets are decoded too: whether their frames are shown
            // is decided here, from the index, not by the decoder.
            into->flags &= ~AV_PKT_FLAG_DISCARD;
            return true;
        }
        av_packet_unref(into);
    }
    return false;
}

// Positions the demuxer on packet `decodeIndex` exactly: a container seek
// may land earlier (packets are then skipped) or later (seek further back).
bool FfmpegVideoSource::Private::seekToPacket(int decodeIndex, int key) {
    ++seekCount;
    avcodec_flush_buffers(decoder);
    av_packet_unref(pending);
    hasPending = false;
    resendPaletteFor = -1;
    positioned = false;
    atEnd = false;
    seenKey = false;
    seekKey = key;
    seekPacket = decodeIndex;
    seekPacketOut = false;
    falseKey = false;
    firstAfterSeek = -1;
    lastOut = -1;
    keysSinceSeek = 0;
    uncertain = false;

    const PacketInfo& target = index.packet(decodeIndex);
    int64_t when = target.dts;
    if (!index.usesDecodeTimeline() && target.pts != PacketInfo::kNoTimestamp)
        when = std::min(when, target.pts);
    for (int attempt = 0; attempt < kSeekAttempts; ++attempt) {
        if (av_seek_frame(format, stream, when, AVSEEK_FLAG_BACKWARD) < 0 &&
            avformat_seek_file(format, stream, INT64_MIN, when, when, 0) < 0)
            return false;
        bool overshot = false;
        for (int skipped = 0; skipped <= index.packetCount() + 16; ++skipped) {
            if (!readPacket(pending))
                return false;
            const int id = index.identify(ts(pending->dts), pending->pos);
            if (id == decodeIndex) {
                hasPending = true;
                pendingIndex = id;
                resendPaletteFor = decodeIndex;
                positioned = true;
                return true;
            }
            av_packet_unref(pending);
            if (id > decodeIndex) {
                overshot = true;
                break;
            }
        }
        if (!overshot)
            return false;
        // Landed past the packet: ask for an earlier time.
        const int64_t first = index.packet(0).dts;
        when = attempt + 1 == kSeekAttempts - 1 ? first : when - (when - first) / 2 - 1;
    }
    return false;
}

void FfmpegVideoSource::Private::takeFrame() {
    const bool key = decoded->key_frame || decoded->pict_type == AV_PICTURE_TYPE_I;
    const int packetNo = packetOfFrame(decoded, index.packetCount());
    if (packetNo >= 0) {
        tagsSeen = true;
        seekPacketOut = seekPacketOut || packetNo == seekPacket;
        // Containers may call every packet a keyframe (an AVI without its
        // index): the decoder knows better, and decoding never starts on
        // such a packet again.
        const int claimed = key ? -1 : index.keyOfDecodeIndex(packetNo);
        if (claimed > 0) {
            index.forgetKey(claimed);
            falseKey = falseKey || packetNo == seekPacket;
        }
    }
    // Frames before the first keyframe out of a seek are leading frames of
    // an open GOP whose references were not decoded: never shown.
    if (!seenKey && (!key || falseKey)) {
        av_frame_unref(decoded);
        return;
    }
    // A later keyframe came out before anything of the packet the seek
    // landed on: that packet cannot start the decoding.
    if (!seenKey && packetNo >= 0 && packetNo != seekPacket && !seekPacketOut && seekKey > 0) {
        index.forgetKey(seekKey);
        falseKey = true;
        av_frame_unref(decoded);
        return;
    }
    const int64_t stamp = ts(decoded->best_effort_timestamp);
    if (key)
        ++keysSinceSeek;
    // A frame of a hidden packet only serves as a reference of the frames
    // shown: it starts the decoding like any keyframe, and is no frame.
    const bool hidden =
        packetNo >= 0 ? !index.packet(packetNo).shown : index.isHiddenTimestamp(stamp);
    if (hidden) {
        if (!seenKey) {
            seenKey = true;
            firstAfterSeek = index.keyFrame(seekKey);
        }
        av_frame_unref(decoded);
        return;
    }
    int slot = -1;
    if (!seenKey) {
        seenKey = true;
        if (calibrating) {
            index.calibrateOutputDelay(stamp);
            slot = index.keyFrame(seekKey);
            calibrating = false;
        } else {
            slot = index.frameForTimestamp(stamp);
            if (slot < 0 && index.usesDecodeTimeline() && seekKey > 0) {
                // Without a timestamp (the last frames of a stream) the place
                // of a keyframe is not known on the decode timeline: open GOPs
                // show frames before it. Counted from an earlier keyframe
                // instead.
                uncertain = true;
                lastOut = firstAfterSeek = index.keyFrame(seekKey);
                av_frame_unref(decoded);
                return;
            }
            if (slot < 0)
                slot = index.keyFrame(seekKey);
            else if (index.usesDecodeTimeline())
                index.learnKeyFrame(seekKey, slot);
        }
        firstAfterSeek = slot;
    } else {
        slot = index.frameForTimestamp(stamp);
        // A timestamp missing or out of the index still counts as the next
        // frame shown.
        if (slot <= lastOut)
            slot = lastOut + 1;
        // The last frames of a stream carry no timestamp. Counted from a seek
        // onto a late keyframe they may stand one place early (the decoder
        // can leave one out there): trusted only when decoded from further
        // back, past another keyframe.
        if (stamp == PacketInfo::kNoTimestamp && index.usesDecodeTimeline() && seekKey > 0 &&
            keysSinceSeek < 2) {
            lastOut = slot;
            uncertain = true;
            av_frame_unref(decoded);
            return;
        }
    }
    if (slot >= index.frameCount()) {
        av_frame_unref(decoded);
        return;
    }
    lastOut = slot;
    ++decodedCount;
    // Frames so far before the target that the cache would drop them before
    // the target comes out are not kept: holding them only costs memory.
    const std::size_t bytes = frameBytes(decoded);
    const long window = long(cache.budget() / std::max<std::size_t>(bytes, 1));
    if (slot < target - window || slot < keepFrom) {
        av_frame_unref(decoded);
        return;
    }
    AVFrame* kept = av_frame_alloc();
    if (kept && av_frame_ref(kept, decoded) == 0) {
        cache.insert(slot,
                     FrameCache::Frame(kept,
                                       [](const void* f) {
                                           AVFrame* frame =
                                               static_cast<AVFrame*>(const_cast<void*>(f));
                                           av_frame_free(&frame);
                                       }),
                     bytes);
    } else {
        av_frame_free(&kept);
    }
    av_frame_unref(decoded);
}

void FfmpegVideoSource::Private::attachPalette(int decodeIndex) {
    auto it = palettes.upper_bound(decodeIndex);
    if (it == palettes.begin() || av_packet_get_side_data(pending, AV_PKT_DATA_PALETTE, nullptr))
        return;
    --it;
    uint8_t* data =
        av_packet_new_side_data(pending, AV_PKT_DATA_PALETTE, size_t(it->second.size()));
    if (data)
        memcpy(data, it->second.constData(), size_t(it->second.size()));
}

// Decodes forward until frame `target` is out, the decoder has gone past it,
// or the stream ends. Every frame on the way is cached.
void FfmpegVideoSource::Private::decodeUntil(int wanted) {
    target = wanted;
    const int maxSends = index.packetCount() + 64;
    for (int sends = 0; sends <= maxSends; ++sends) {
        if (yieldNow())
            return;
        // Stop taking frames once the target is out: with a small cache the
        // later ones would push it out before it is shown.
        for (int guard = 0; guard < 1024 && lastOut < target && !falseKey; ++guard) {
            const int r = avcodec_receive_frame(decoder, decoded);
            if (r == AVERROR_EOF) {
                atEnd = true;
                break;
            }
            if (r < 0)
                break;
            takeFrame();
        }
        if (lastOut >= target || atEnd || falseKey || interrupted(this))
            return;
        int r = 0;
        bool more = hasPending;
        // Only packets of the index are frames; anything else would shift
        // the count of frames shown.
        while (!more && readPacket(pending)) {
            pendingIndex = index.identify(ts(pending->dts), pending->pos);
            more = pendingIndex >= 0;
            if (!more)
                av_packet_unref(pending);
        }
        if (more) {
            if (resendPaletteFor >= 0) {
                attachPalette(resendPaletteFor);
                resendPaletteFor = -1;
            }
            tagPacket(decoder, pending, pendingIndex);
            r = avcodec_send_packet(decoder, pending);
            if (r == AVERROR(EAGAIN)) {
                hasPending = true; // the decoder must give frames back first
                continue;
            }
            av_packet_unref(pending);
            hasPending = false;
        } else {
            avcodec_send_packet(decoder, nullptr); // drain what is left
        }
        // Damaged packets are skipped: the decoder reports and goes on.
        (void)r;
    }
}

bool FfmpegVideoSource::Private::ensureFrame(int target) {
    if (cache.contains(target))
        return true;
    if (undecodable.count(target))
        return false;
    const bool canContinue = positioned && !atEnd && seenKey && lastOut >= 0 && target > lastOut &&
                             index.keyFrame(index.keyFor(target)) <= lastOut + 1;
    if (canContinue) {
        decodeUntil(target);
        if (cache.contains(target))
            return true;
        if (yielded)
            return false;
    }
    int key = index.keyFor(target);
    const auto learned = startPackets.find(target);
    if (learned != startPackets.end() && index.keyOfDecodeIndex(learned->second) >= 0)
        key = std::min(key, index.keyOfDecodeIndex(learned->second));
    // Decoding ahead that gave way before a frame came out of its keyframe
    // goes on from there rather than seeking again.
    const bool resumable = positioned && !atEnd && !seenKey && !falseKey && !uncertain &&
                           lastOut < 0 && seekKey == key;
    // Every round starts from a keyframe earlier in decode order than the
    // one before, so the loop ends.
    const int rounds = index.keyCount();
    for (int round = 0; round <= rounds && !interrupted(this); ++round) {
        const int keyPacket = index.keyDecodeIndex(key);
        if (yieldNow())
            return false;
        if ((round == 0 && resumable) || seekToPacket(keyPacket, key)) {
            decodeUntil(target);
            if (cache.contains(target)) {
                if (key < index.keyFor(target))
                    startPackets[target] = keyPacket;
                return true;
            }
            if (yielded)
                return false;
            // Nothing at all came of the packet: it cannot start the decoding.
            if (!seenKey && tagsSeen && !seekPacketOut && !interrupted(this))
                index.forgetKey(key);
            // An earlier keyframe helps when this one was none, when it shows
            // later than thought (the first frame out is past the target),
            // when the decoder passed over the target (it refers to frames
            // before the keyframe: open GOP), or when the stream ended first
            // or the frames out could not be numbered.
            const bool earlierMayHelp = falseKey || !seenKey || uncertain || atEnd ||
                                        firstAfterSeek > target || lastOut > target;
            if (!earlierMayHelp)
                break;
        }
        // Learning may have moved the keys: the index's choice for the
        // target, if it is earlier still.
        const int before = index.keyBefore(keyPacket);
        if (before < 0)
            break;
        key = std::min(index.keyFor(target), before);
    }
    if (!interrupted(this))
        undecodable.insert(target);
    return false;
}

void FfmpegVideoSource::Private::setPictureGeometry() {
    notePictureGeometry(facts, format, stream);
}

QImage FfmpegVideoSource::Private::convert(const AVFrame* frame, QSize size) {
    if (size.isEmpty())
        size = QSize(facts.width, facts.height);
    if (size.width() > kMaxSide || size.height() > kMaxSide) {
        error = QStringLiteral("Taille d'affichage trop grande : %1 × %2.")
                    .arg(size.width())
                    .arg(size.height());
        return {};
    }
    // Scaled in the stored orientation, then turned upright.
    const bool quarter = facts.rotation == 90 || facts.rotation == 270;
    const bool turned = facts.rotation != 0 || facts.mirrored;
    const QSize shown = size;
    if (quarter)
        size.transpose();
    const auto pixelFormat = AVPixelFormat(frame->format);
    // The fast YUV to RGB path of this libswscale works in blocks of 16
    // pixels: on other widths it writes past the end of the picture and
    // garbles its right edge. Accurate rounding does not take it.
    const int flags = SWS_BICUBIC | (size.width() % 16 != 0 ? SWS_ACCURATE_RND : 0);
    sws = sws_getCachedContext(sws, frame->width, frame->height, pixelFormat, size.width(),
                               size.height(), AV_PIX_FMT_RGB32, flags, nullptr, nullptr, nullptr);
    // Reuse a picture nobody holds any more: allocating and faulting in a
    // fresh 8 MB buffer per 1080p frame costs as much as the conversion. It
    // leaves the spares while written, so that writing does not copy it.
    QImage image;
    int spare = -1;
    for (int i = 0; i < int(spares.size()) && spare < 0; ++i) {
        if (spares[i].size() == size && spares[i].isDetached()) {
            spare = i;
            image = std::move(spares[i]);
            spares[i] = QImage();
        }
    }
    if (spare < 0) {
        spare = nextSpare;
        nextSpare = (nextSpare + 1) % int(spares.size());
        image = QImage(size, QImage::Format_RGB32);
    }
    if (!sws || image.isNull()) {
        error = QStringLiteral("Conversion de l'image impossible.");
        return {};
    }
    uint8_t* dst[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int dstStride[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(sws, frame->data, frame->linesize, 0, frame->height, dst, dstStride);
    // RGB32 pictures must be opaque; palettes and alpha planes may not be.
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(pixelFormat);
    if (desc && (desc->flags & (AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_ALPHA))) {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] |= 0xff000000u;
        }
    }
    spares[spare] = image;
    if (!turned)
        return image;
    QImage upright = facts.rotation == 180 ? image.mirrored(true, true)
                     : facts.rotation != 0 ? image.transformed(QTransform().rotate(facts.rotation))
                                           : image;
    if (facts.mirrored)
        upright = upright.mirrored(true, false);
    if (upright.size() != shown || upright.format() != QImage::Format_RGB32) {
        error = QStringLiteral("Conversion de l'image impossible.");
        return {};
    }
    return upright;
}

FfmpegVideoSource::FfmpegVideoSource() : d(std::make_unique<Private>()) {}
FfmpegVideoSource::~FfmpegVideoSource() = default;

bool FfmpegVideoSource::open(const QString& path, QString* error) {
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        if (av_log_get_level() == AV_LOG_INFO)
            av_log_set_level(AV_LOG_ERROR);
    });
    d->packet = av_packet_alloc();
    d->pending = av_packet_alloc();
    d->decoded = av_frame_alloc();
    bool ok = d->packet && d->pending && d->decoded && d->openFile(path) && d->buildIndex() &&
              d->openDecoder();
    if (ok) {
        const AVStream* st = d->format->streams[d->stream];
        VideoFacts& f = d->facts;
        f.frameCount = d->index.frameCount();
        f.codecFourCC = fourCCText(st->codecpar->codec_tag);
        d->setPictureGeometry();
        f.durationMs = double(d->index.durationTicks()) * av_q2d(st->time_base) * 1000.0;
        AVRational rate = st->avg_frame_rate.num > 0 ? st->avg_frame_rate : st->r_frame_rate;
        f.frameRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0;
        if (f.frameRate > 1000)
            f.frameRate = 0;
        std::vector<int64_t> stamps(std::size_t(f.frameCount));
        for (int i = 0; i < f.frameCount; ++i)
            stamps[std::size_t(i)] = d->index.frameTimestamp(i);
        f.timing = analyseFrameTiming(stamps, d->index.durationTicks(), st->time_base.num,
                                      st->time_base.den);
        if (!(f.durationMs > 0) || f.durationMs > 1e10) {
            // Timestamps that say nothing: frames at the nominal rate.
            f.durationMs = f.frameCount * 1000.0 / (f.frameRate > 0 ? f.frameRate : 25.0);
            f.timing = FrameTiming();
            for (int i = 0; i < f.frameCount; ++i)
                f.timing.times.push_back(i * f.durationMs / f.frameCount / 1000.0);
        }
        f.captureRate = captureRateOf(d->format, st);

        // Decode the first frame: it proves the clip can be shown and, on
        // the decode timeline, gives the decoder's reorder delay.
        d->deadline = av_gettime_relative() + kFrameTimeoutUs;
        d->calibrating = true;
        ok = d->seekToPacket(d->index.keyDecodeIndex(0), 0);
        if (ok) {
            d->decodeUntil(0);
            ok = d->cache.contains(0);
        }
        d->calibrating = false;
        if (!ok)
            d->error = openError(QStringLiteral("aucune image ne peut être décodée."));
    }
    d->deadline = 0;
    if (!ok && error)
        *error = d->error;
    return ok;
}

const VideoFacts& FfmpegVideoSource::facts() const {
    return d->facts;
}

QImage FfmpegVideoSource::frame(int index, QSize size) {
    if (!d->decoder || index < 0 || index >= d->facts.frameCount) {
        d->error = QStringLiteral("Image n° %1 hors du clip.").arg(index + 1);
        return {};
    }
    // Elsewhere than the frames kept for stepping backward: they are kept no
    // longer than the others.
    const bool behind = d->cache.isProtected(index);
    if (!behind)
        d->cache.protect(0, -1);
    // A frame decoded already needs nothing of the decoder: decoding ahead
    // goes on meanwhile.
    FrameCache::Frame kept = d->cache.find(index);
    if (!kept) {
        d->waiting.fetch_add(1);
        std::unique_lock lock(d->mutex);
        d->waiting.fetch_sub(1);
        if (!behind)
            d->refilling = false;
        d->deadline = av_gettime_relative() + kFrameTimeoutUs;
        const bool ok = d->ensureFrame(index);
        d->deadline = 0;
        kept = ok ? d->cache.find(index) : nullptr;
        if (!kept) {
            d->error = QStringLiteral("L'image n° %1 ne peut pas être décodée.").arg(index + 1);
            // The decoder may be anywhere now: the next request seeks.
            d->positioned = false;
            return {};
        }
    }
    std::lock_guard convertLock(d->convertMutex);
    return d->convert(static_cast<const AVFrame*>(kept.get()), size);
}

void FfmpegVideoSource::prefetch(int index) {
    std::lock_guard lock(d->mutex);
    if (!d->decoder || index < 0 || index >= d->facts.frameCount || d->cache.contains(index) ||
        d->waiting.load() > 0)
        return;
    // A look-ahead that comes after the decoder has passed its frame is
    // stale: going back to a keyframe for it would make the next step decode
    // the whole way from there again.
    if (d->lastOut >= index)
        return;
    d->cache.protect(0, -1);
    d->refilling = false;
    d->deadline = av_gettime_relative() + kFrameTimeoutUs;
    d->background = true;
    d->ensureFrame(index);
    d->background = false;
    d->yielded = false;
    d->deadline = 0;
}

void FfmpegVideoSource::prefetchBackward(int index) {
    std::lock_guard lock(d->mutex);
    if (!d->decoder || index <= 0 || index >= d->facts.frameCount || d->waiting.load() > 0)
        return;
    d->background = true;
    d->refillBehind(index);
    d->background = false;
    d->yielded = false;
    d->keepFrom = 0;
    d->deadline = 0;
}

// Keeps the frames just before `position` decoded, nearly as many as the
// cache holds (the frames after the position are the ones that go): when
// fewer than half of them are left, the missing ones are decoded from their
// keyframes, the latest first, until all are there again. A refill costs a
// decoding from a keyframe, so it waits until half the frames kept have been
// shown; it goes on from where it gave way to frame().
void FfmpegVideoSource::Private::refillBehind(int position) {
    const std::size_t perFrame = cache.count() > 0 ? cache.bytes() / std::size_t(cache.count()) : 0;
    if (perFrame == 0)
        return;
    const int span = int(std::min<std::size_t>(cache.budget() / perFrame, 1000)) - 2;
    if (span < 2)
        return;
    const int first = std::max(0, position - span);
    cache.protect(first, position);
    keepFrom = first;
    const auto latestMissing = [&] {
        for (int f = position - 1; f >= first; --f) {
            if (!cache.contains(f) && !undecodable.count(f))
                return f;
        }
        return -1;
    };
    int missing = latestMissing();
    if (missing < 0) {
        refilling = false;
        return;
    }
    if (!refilling && missing < position - span / 2)
        return;
    refilling = true;
    // Each pass fills at least its own frame; the bound only guards against
    // frames of unequal sizes pushing each other out.
    for (int pass = 0; pass <= span && missing >= 0 && !yieldNow();
         ++pass, missing = latestMissing()) {
        deadline = av_gettime_relative() + kFrameTimeoutUs;
        ensureFrame(missing);
        if (interrupted(this))
            return;
    }
    if (missing < 0)
        refilling = false;
}

QString FfmpegVideoSource::errorString() const {
    return d->error;
}

void FfmpegVideoSource::setCacheBudget(std::size_t bytes) {
    std::lock_guard lock(d->mutex);
    d->cache.setBudget(bytes);
}

int FfmpegVideoSource::cachedFrames() const {
    return d->cache.count();
}

int FfmpegVideoSource::framesDecoded() const {
    return d->decodedCount;
}

int FfmpegVideoSource::seeks() const {
    return d->seekCount;
}

bool fourCCNamesDecoder(const QString& fourCC, const VideoFacts& facts) {
    const QString code = fourCC.toLower();
    if (facts.codecName.isEmpty() || code == facts.codecFourCC.toLower())
        return true;
    const AVCodec* decoder = avcodec_find_decoder_by_name(facts.codecName.toLatin1().constData());
    if (!decoder)
        return true;
    // Uncompressed frames are written under several names.
    if (code == QLatin1String("dib ") || code == QLatin1String("raw "))
        return decoder->id == AV_CODEC_ID_RAWVIDEO;
    const QByteArray bytes = fourCC.toLatin1().leftJustified(4, '\0', true);
    const uint32_t tag = uint32_t(uint8_t(bytes[0])) | uint32_t(uint8_t(bytes[1])) << 8 |
                         uint32_t(uint8_t(bytes[2])) << 16 | uint32_t(uint8_t(bytes[3])) << 24;
    const AVCodecTag* const tables[] = {avformat_get_riff_video_tags(), nullptr};
    return av_codec_get_id(tables, tag) == decoder->id;
}

std::unique_ptr<VideoSource> openVideoSource(const QString& path, QString* error) {
    auto source = std::make_unique<FfmpegVideoSource>();
    if (!source->open(path, error))
        return nullptr;
    return source;
}

} // namespace traxilo
