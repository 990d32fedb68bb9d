#include "clip/playback_worker.h"

namespace traxilo {

PlaybackWorker::PlaybackWorker(VideoSource* source, int first, int last, QSize size, int ahead)
    : m_source(source), m_first(first), m_last(last), m_size(size),
      m_ahead(std::size_t(std::max(1, ahead))) {
    m_thread = std::thread([this] { run(); });
}

PlaybackWorker::~PlaybackWorker() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void PlaybackWorker::run() {
    for (int i = m_first; i <= m_last; ++i) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_queue.size() < m_ahead; });
            if (m_stop)
                return;
        }
        QImage image = m_source->frame(i, m_size);
        std::lock_guard lock(m_mutex);
        m_queue.emplace_back(i, std::move(image));
    }
    std::lock_guard lock(m_mutex);
    m_done = true;
}

PlaybackWorker::Ready PlaybackWorker::takeUpTo(int due) {
    Ready ready;
    {
        std::lock_guard lock(m_mutex);
        while (!m_queue.empty() && m_queue.front().first <= due) {
            if (ready.index >= 0)
                ++ready.dropped;
            ready.index = m_queue.front().first;
            ready.image = std::move(m_queue.front().second);
            m_queue.pop_front();
        }
    }
    m_wake.notify_all();
    return ready;
}

bool PlaybackWorker::finished() const {
    std::lock_guard lock(m_mutex);
    return m_done && m_queue.empty();
}

} // namespace traxilo
