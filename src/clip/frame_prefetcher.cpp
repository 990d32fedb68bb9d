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
    {
        std::lock_guard lock(m_mutex);
        m_wanted = index;
    }
    m_wake.notify_all();
}

void FramePrefetcher::run() {
    for (;;) {
        int index = -1;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_wanted >= 0; });
            if (m_stop)
                return;
            index = m_wanted;
            m_wanted = -1;
        }
        m_source->prefetch(index);
    }
}

} // namespace traxilo
