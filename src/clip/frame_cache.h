#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace traxilo {

// Decoded frames kept by frame number, the least recently used dropped
// first once their total size passes the memory budget. The frames are
// opaque here; the backend owns their type. Usable from several threads: a
// frame can be taken while another thread decodes into the cache.
class FrameCache {
public:
    using Frame = std::shared_ptr<const void>;

    // The default holds about 80 frames of 1080p: a whole group of 60 frames
    // and those around it, so that stepping backward decodes each group once.
    explicit FrameCache(std::size_t budgetBytes = 256u << 20) : m_budget(budgetBytes) {}

    void setBudget(std::size_t bytes);
    std::size_t budget() const;
    std::size_t bytes() const;
    int count() const;

    // The frame, marked as just used; null when absent.
    Frame find(int index);
    bool contains(int index) const;
    // Replaces any frame already kept under `index`. The newest frame stays
    // even when it alone is larger than the budget.
    void insert(int index, Frame frame, std::size_t bytes);
    void clear();

    // Frames `first` to `last` (the ones about to be shown) go only once no
    // other frame is left to drop. An empty range protects none.
    void protect(int first, int last);
    bool isProtected(int index) const;

private:
    struct Entry {
        Frame frame;
        std::size_t bytes;
        std::list<int>::iterator use;
    };
    void trim();
    std::list<int>::iterator drop(std::list<int>::iterator use);
    bool protectedLocked(int index) const {
        return index >= m_protectFirst && index <= m_protectLast;
    }

    mutable std::mutex m_mutex;
    std::size_t m_budget;
    std::size_t m_bytes = 0;
    int m_protectFirst = 0;
    int m_protectLast = -1;
    std::list<int> m_uses; // most recent first
    std::unordered_map<int, Entry> m_entries;
};

} // namespace traxilo
