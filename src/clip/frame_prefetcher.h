#pragma once

#include "clip/video_source.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace traxilo {

// Decodes the frame after the one shown on a thread of its own while the
// user looks at the picture, so that the next step forward finds it ready.
class FramePrefetcher {
public:
    explicit FramePrefetcher(VideoSource* source);
    ~FramePrefetcher(); // waits for the decoding under way

    void request(int index); // replaces any request not yet started

private:
    void run();

    VideoSource* m_source;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_wanted = -1;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace traxilo
