#pragma once

#include "clip/video_source.h"

#include <QImage>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace traxilo {

// Decodes the frames of a playback ahead of time on its own thread, at
// display size, keeping a few ready for the GUI thread to take.
class PlaybackWorker {
public:
    struct Ready {
        int index = -1;
        QImage image;
        int dropped = 0; // frames taken out unshown because a later one was due
    };

    PlaybackWorker(VideoSource* source, int first, int last, QSize size, int ahead = 6);
    ~PlaybackWorker(); // stops and joins

    // The latest decoded frame whose index is <= `due`, the older ones
    // dropped; index -1 when none is ready yet.
    Ready takeUpTo(int due);
    bool finished() const; // every frame decoded and taken

private:
    void run();

    VideoSource* m_source;
    const int m_first;
    const int m_last;
    const QSize m_size;
    const std::size_t m_ahead;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::pair<int, QImage>> m_queue;
    bool m_stop = false;
    bool m_done = false;
    std::thread m_thread;
};

} // namespace traxilo
