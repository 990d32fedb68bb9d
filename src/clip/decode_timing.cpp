#include "clip/decode_timing.h"

#include <QElapsedTimer>
#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace traxilo {

std::optional<DecodeTiming> measureSequentialDecode(const QString& path, int threads) {
    AVFormatContext* format = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (avformat_open_input(&format, name.constData(), nullptr, nullptr) < 0)
        return std::nullopt;
    std::optional<DecodeTiming> result;
    AVCodecContext* decoder = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const int stream = avformat_find_stream_info(format, nullptr) >= 0
                           ? av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0)
                           : -1;
    const AVCodec* codec =
        stream >= 0 ? avcodec_find_decoder(format->streams[stream]->codecpar->codec_id) : nullptr;
    if (codec && packet && frame && (decoder = avcodec_alloc_context3(codec)) &&
        avcodec_parameters_to_context(decoder, format->streams[stream]->codecpar) >= 0) {
        decoder->thread_count = threads;
        decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
        if (avcodec_open2(decoder, codec, nullptr) >= 0) {
            DecodeTiming timing;
            QElapsedTimer clock;
            qint64 readNs = 0; // demuxing is not decoding: left out
            clock.start();
            bool draining = false;
            while (true) {
                if (!draining) {
                    const qint64 before = clock.nsecsElapsed();
                    const int r = av_read_frame(format, packet);
                    readNs += clock.nsecsElapsed() - before;
                    if (r < 0) {
                        draining = true;
                        avcodec_send_packet(decoder, nullptr);
                    } else if (packet->stream_index == stream) {
                        avcodec_send_packet(decoder, packet);
                    }
                    av_packet_unref(packet);
                }
                while (avcodec_receive_frame(decoder, frame) == 0) {
                    ++timing.frames;
                    av_frame_unref(frame);
                }
                if (draining) // flushed: the loop above ran until the end
                    break;
            }
            timing.totalMs = (clock.nsecsElapsed() - readNs) / 1e6;
            result = timing;
        }
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return result;
}

} // namespace traxilo
