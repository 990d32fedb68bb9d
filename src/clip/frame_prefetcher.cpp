#include "clip/frame_prefetcher.h"

namespace traxilo {

FramePrefetcher::FramePrefetcher(VideoSource* source) : m_source(source) {
    m_thread = std::thread([this] { run(); });
}

FramePrefetcher::~FramePrefetcher() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void FramePrefetcher::request(int index) {
    ask(index, false);
}

void FramePrefetcher::requestBackward(int index) {
    ask(index, true);
}

void FramePrefetcher::ask(int index, bool backward) {
    {
        std::lock_guard lock(m_mutex);
        m_wanted = index;
        m_backward = backward;
    }
    m_wake.notify_all();
}

void FramePrefetcher::run() {
    for (;;) {
        int index = -1;
        bool backward = false;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_wanted >= 0; });
            if (m_stop)
                return;
            index = m_wanted;
            backward = m_backward;
            m_wanted = -1;
        }
        if (backward)
            m_source->prefetchBackward(index);
        else
            m_source->prefetch(index);
    }
}

} // namespace traxilo
