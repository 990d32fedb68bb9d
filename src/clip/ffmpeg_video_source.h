#pragma once

#include "clip/video_source.h"

#include <cstddef>
#include <memory>

namespace traxilo {

// The FFmpeg backend: a packet index built at opening, frame-exact seeks
// (keyframe at or before the target, then decoding forward), two decoder
// threads, and a cache of decoded frames bounded by a memory budget.
class FfmpegVideoSource : public VideoSource {
public:
    FfmpegVideoSource();
    ~FfmpegVideoSource() override;

    bool open(const QString& path, QString* error);

    const VideoFacts& facts() const override;
    QImage frame(int index, QSize size = {}) override;
    QString errorString() const override;
    // Both decode into the cache and convert nothing. They give the decoder
    // up as soon as frame() waits for it.
    void prefetch(int index) override;
    void prefetchBackward(int index) override;

    void setCacheBudget(std::size_t bytes);
    int cachedFrames() const;
    // Frames the decoder has produced since opening (cache hits cost none).
    int framesDecoded() const;
    int seeks() const; // times the decoder was moved to a keyframe

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace traxilo
