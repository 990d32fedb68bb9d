#pragma once

#include "clip/video_source.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace traxilo {

// Decodes ahead on a thread of its own while the user looks at the
// picture: the frame after the one shown, so that the next step forward
// finds it ready, or the frames before it when the user steps backward.
class FramePrefetcher {
public:
    explicit FramePrefetcher(VideoSource* source);
    ~FramePrefetcher(); // waits for the decoding under way

    // Each replaces any request not yet started.
    void request(int index);
    void requestBackward(int index);

private:
    void run();
    void ask(int index, bool backward);

    VideoSource* m_source;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_wanted = -1;
    bool m_backward = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace traxilo
