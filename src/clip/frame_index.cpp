#include "clip/frame_index.h"

#include <algorithm>

namespace traxilo {

void FrameIndex::build(std::vector<PacketInfo> packets, bool tickPerChunk) {
    *this = FrameIndex();
    m_packets = std::move(packets);
    const int n = int(m_packets.size());
    if (n == 0)
        return;

    // Packets without a decode timestamp follow the one before them.
    int64_t previous = PacketInfo::kNoTimestamp;
    for (PacketInfo& p : m_packets) {
        if (p.dts == PacketInfo::kNoTimestamp)
            p.dts = previous == PacketInfo::kNoTimestamp ? 0 : previous + 1;
        else if (previous != PacketInfo::kNoTimestamp && p.dts <= previous)
            m_dtsUnique = false;
        previous = p.dts;
    }
    m_decodeTimeline = std::any_of(m_packets.begin(), m_packets.end(), [](const PacketInfo& p) {
        return p.pts == PacketInfo::kNoTimestamp;
    });

    auto slotTime = [this](int i) {
        return m_decodeTimeline ? m_packets[i].dts : m_packets[i].pts;
    };
    // The frames are the packets shown; timestamps that go backward or
    // repeat keep the order of the packets.
    std::vector<int> order;
    order.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (m_packets[i].shown)
            order.push_back(i);
        else if (!m_decodeTimeline)
            m_hiddenTimestamps.insert(m_packets[i].pts);
    }
    const int frames = int(order.size());
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return slotTime(a) < slotTime(b); });

    std::vector<int> frameOfPacket(n, -1);
    m_slotTimestamp.reserve(frames);
    for (int f = 0; f < frames; ++f) {
        frameOfPacket[order[f]] = f;
        m_slotTimestamp.push_back(slotTime(order[f]));
    }
    for (int i = 0; i < n; ++i) {
        m_packetOfDts.emplace(m_packets[i].dts, i);
        if (m_packets[i].pos >= 0)
            m_packetOfPos.emplace(m_packets[i].pos, i);
    }
    if (frames == 0)
        return;
    // The first frame that decoding from packet `i` can show: its own, or for
    // a hidden packet the first one shown after it.
    auto firstFrameFrom = [&](int i) {
        if (frameOfPacket[i] >= 0)
            return frameOfPacket[i];
        return int(std::lower_bound(m_slotTimestamp.begin(), m_slotTimestamp.end(), slotTime(i)) -
                   m_slotTimestamp.begin());
    };
    std::vector<int64_t> steps;
    steps.reserve(frames);
    for (int f = 1; f < frames; ++f)
        steps.push_back(m_slotTimestamp[f] - m_slotTimestamp[f - 1]);
    if (!steps.empty()) {
        m_gaps = tickPerChunk && m_dtsUnique &&
                 std::any_of(steps.begin(), steps.end(), [](int64_t s) { return s > 1; });
        std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
        m_medianStep = std::max<int64_t>(1, steps[steps.size() / 2]);
    }

    for (int f = 0; f < frameCount(); ++f)
        m_frameOfTimestamp.emplace(m_slotTimestamp[f], f);
    for (int i = 0; i < n; ++i) {
        if (m_packets[i].key)
            m_keys.push_back({i, firstFrameFrom(i)});
    }
    // A stream that does not start on a keyframe is still decoded from its
    // first packet; the decoder tells which frames come out.
    if (m_keys.empty() || m_keys.front().decodeIndex != 0)
        m_keys.insert(m_keys.begin(), Key{0, firstFrameFrom(0)});

    const int64_t span = m_slotTimestamp.back() - m_slotTimestamp.front();
    int64_t last = m_packets[order.back()].duration;
    // A chunk lasts one tick even when empty chunks follow it: the last frame
    // lasts as long as the frames usually do.
    if (m_gaps)
        last = m_medianStep;
    if (last <= 0)
        last = tickPerChunk ? 1 : frames > 1 ? std::max<int64_t>(1, span / (frames - 1)) : 1;
    m_durationTicks = span + last;
}

int FrameIndex::ordinalOfDts(int64_t dts) const {
    const auto it = m_frameOfTimestamp.find(dts);
    if (it != m_frameOfTimestamp.end())
        return it->second;
    const int64_t lastDts = m_slotTimestamp.back();
    if (dts <= lastDts)
        return -1;
    return frameCount() - 1 + int((dts - lastDts + m_medianStep / 2) / m_medianStep);
}

void FrameIndex::calibrateOutputDelay(int64_t firstFrameTimestamp) {
    if (!m_decodeTimeline || firstFrameTimestamp == PacketInfo::kNoTimestamp)
        return;
    m_outputDelay = std::max(0, ordinalOfDts(firstFrameTimestamp));
}

int FrameIndex::frameForTimestamp(int64_t timestamp) const {
    if (timestamp == PacketInfo::kNoTimestamp || frameCount() == 0)
        return -1;
    if (!m_decodeTimeline) {
        const auto it = m_frameOfTimestamp.find(timestamp);
        return it == m_frameOfTimestamp.end() ? -1 : it->second;
    }
    const int ordinal = ordinalOfDts(timestamp);
    const int frame = ordinal - m_outputDelay;
    return ordinal >= 0 && frame >= 0 && frame < frameCount() ? frame : -1;
}

int64_t FrameIndex::timestampOfFrame(int frame) const {
    if (!m_decodeTimeline)
        return m_slotTimestamp[frame];
    const int ordinal = frame + m_outputDelay;
    if (ordinal < frameCount())
        return m_slotTimestamp[ordinal];
    return m_slotTimestamp.back() + (ordinal - (frameCount() - 1)) * m_medianStep;
}

int FrameIndex::identify(int64_t dts, int64_t pos) const {
    if (m_dtsUnique && dts != PacketInfo::kNoTimestamp) {
        const auto it = m_packetOfDts.find(dts);
        if (it != m_packetOfDts.end())
            return it->second;
    }
    if (pos >= 0) {
        const auto it = m_packetOfPos.find(pos);
        if (it != m_packetOfPos.end())
            return it->second;
    }
    return -1;
}

int FrameIndex::keyFor(int frame, int stepsBack) const {
    // Keys are in decode order and the frames they show grow with it.
    int key = 0;
    for (int k = 0; k < keyCount(); ++k) {
        if (m_keys[k].frame <= frame)
            key = k;
    }
    return std::max(0, key - stepsBack);
}

void FrameIndex::learnKeyFrame(int key, int frame) {
    if (key >= 0 && key < keyCount())
        m_keys[key].frame = frame;
}

void FrameIndex::forgetKey(int key) {
    if (key > 0 && key < keyCount())
        m_keys.erase(m_keys.begin() + key);
}

int FrameIndex::keyBefore(int decodeIndex) const {
    const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), decodeIndex,
                                     [](const Key& k, int d) { return k.decodeIndex < d; });
    return int(it - m_keys.begin()) - 1;
}

int FrameIndex::keyOfDecodeIndex(int decodeIndex) const {
    const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), decodeIndex,
                                     [](const Key& k, int d) { return k.decodeIndex < d; });
    return it != m_keys.end() && it->decodeIndex == decodeIndex ? int(it - m_keys.begin()) : -1;
}

} // namespace traxilo
