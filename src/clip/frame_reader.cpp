#include "clip/frame_reader.h"

#include <algorithm>

namespace traxilo {

FrameReader::FrameReader(VideoSource& source, int first, int step, int last, int ahead)
    : m_source(source), m_first(std::max(0, first)), m_step(std::max(1, step)),
      m_last(last < 0 ? source.facts().frameCount - 1
                      : std::min(last, source.facts().frameCount - 1)),
      m_ahead(std::size_t(std::max(1, ahead))) {
    m_thread = std::thread([this] { run(); });
}

FrameReader::~FrameReader() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void FrameReader::run() {
    for (int i = m_first; i <= m_last; i += m_step) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_ready.size() < m_ahead; });
            if (m_stop)
                return;
        }
        Frame frame;
        frame.index = i;
        frame.picture = m_source.frame(i);
        if (frame.picture.isNull())
            frame.error = m_source.errorString();
        {
            std::lock_guard lock(m_mutex);
            m_ready.push_back(std::move(frame));
        }
        m_wake.notify_all();
    }
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
}

FrameReader::Frame FrameReader::next() {
    Frame frame;
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return !m_ready.empty() || m_done; });
        if (m_ready.empty())
            return frame;
        frame = std::move(m_ready.front());
        m_ready.pop_front();
    }
    m_wake.notify_all();
    return frame;
}

} // namespace traxilo
