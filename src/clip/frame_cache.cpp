#include "clip/frame_cache.h"

namespace traxilo {

void FrameCache::setBudget(std::size_t bytes) {
    m_budget = bytes;
    trim();
}

FrameCache::Frame FrameCache::find(int index) {
    const auto it = m_entries.find(index);
    if (it == m_entries.end())
        return nullptr;
    m_uses.splice(m_uses.begin(), m_uses, it->second.use);
    return it->second.frame;
}

void FrameCache::insert(int index, Frame frame, std::size_t bytes) {
    const auto it = m_entries.find(index);
    if (it != m_entries.end()) {
        m_bytes -= it->second.bytes;
        m_uses.erase(it->second.use);
        m_entries.erase(it);
    }
    m_uses.push_front(index);
    m_entries.emplace(index, Entry{std::move(frame), bytes, m_uses.begin()});
    m_bytes += bytes;
    trim();
}

void FrameCache::clear() {
    m_entries.clear();
    m_uses.clear();
    m_bytes = 0;
}

void FrameCache::trim() {
    while (m_bytes > m_budget && m_entries.size() > 1) {
        const int oldest = m_uses.back();
        m_uses.pop_back();
        const auto it = m_entries.find(oldest);
        m_bytes -= it->second.bytes;
        m_entries.erase(it);
    }
}

} // namespace traxilo
