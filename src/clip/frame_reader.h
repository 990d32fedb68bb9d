#pragma once

#include "clip/video_source.h"

#include <QImage>
#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace traxilo {

// Reads frames of a clip in order, upright at their natural size (the
// picture as shown at 100 %), decoding on a thread of its own a few frames
// ahead of the caller: a pass over a clip costs one decoding per frame, not
// a seek per frame.
class FrameReader {
public:
    struct Frame {
        int index = -1; // -1 once past the last frame
        QImage picture; // null when the frame cannot be decoded
        QString error;  // why, then
    };

    // Frames `first`, `first + step`, ... up to `last` (the clip's last
    // when -1). The source must outlive the reader, and nothing else may
    // read it meanwhile.
    FrameReader(VideoSource& source, int first, int step, int last = -1, int ahead = 2);
    ~FrameReader(); // stops the decoding and waits for it

    FrameReader(const FrameReader&) = delete;
    FrameReader& operator=(const FrameReader&) = delete;

    // The next frame in order, waiting for its decoding.
    Frame next();

private:
    void run();

    VideoSource& m_source;
    const int m_first;
    const int m_step;
    const int m_last;
    const std::size_t m_ahead;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Frame> m_ready;
    bool m_done = false; // every frame decoded
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace traxilo
