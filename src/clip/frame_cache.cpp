#include "clip/frame_cache.h"

#include <iterator>

namespace traxilo {

void FrameCache::setBudget(std::size_t bytes) {
    std::lock_guard lock(m_mutex);
    m_budget = bytes;
    trim();
}

std::size_t FrameCache::budget() const {
    std::lock_guard lock(m_mutex);
    return m_budget;
}

std::size_t FrameCache::bytes() const {
    std::lock_guard lock(m_mutex);
    return m_bytes;
}

int FrameCache::count() const {
    std::lock_guard lock(m_mutex);
    return int(m_entries.size());
}

bool FrameCache::contains(int index) const {
    std::lock_guard lock(m_mutex);
    return m_entries.count(index) != 0;
}

bool FrameCache::isProtected(int index) const {
    std::lock_guard lock(m_mutex);
    return protectedLocked(index);
}

FrameCache::Frame FrameCache::find(int index) {
    std::lock_guard lock(m_mutex);
    const auto it = m_entries.find(index);
    if (it == m_entries.end())
        return nullptr;
    m_uses.splice(m_uses.begin(), m_uses, it->second.use);
    return it->second.frame;
}

void FrameCache::insert(int index, Frame frame, std::size_t bytes) {
    std::lock_guard lock(m_mutex);
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
    std::lock_guard lock(m_mutex);
    m_entries.clear();
    m_uses.clear();
    m_bytes = 0;
}

void FrameCache::protect(int first, int last) {
    std::lock_guard lock(m_mutex);
    m_protectFirst = first;
    m_protectLast = last;
    trim();
}

std::list<int>::iterator FrameCache::drop(std::list<int>::iterator use) {
    const auto it = m_entries.find(*use);
    m_bytes -= it->second.bytes;
    m_entries.erase(it);
    return m_uses.erase(use);
}

void FrameCache::trim() {
    // The least recently used of the unprotected frames first; the newest
    // frame stays whatever it is.
    for (auto use = m_uses.end(); m_bytes > m_budget && use != m_uses.begin();) {
        --use;
        if (use == m_uses.begin())
            break;
        if (!protectedLocked(*use))
            use = drop(use);
    }
    while (m_bytes > m_budget && m_entries.size() > 1)
        drop(std::prev(m_uses.end()));
}

} // namespace traxilo
