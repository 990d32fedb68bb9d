#pragma once

#include <cstdint>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace traxilo {

// One packet of the video stream as the demuxer gave it, in decode order.
struct PacketInfo {
    static constexpr int64_t kNoTimestamp = std::numeric_limits<int64_t>::min();
    int64_t pts = kNoTimestamp;
    int64_t dts = kNoTimestamp;
    int64_t pos = -1;     // byte position in the file, -1 when unknown
    int64_t duration = 0; // in stream ticks, 0 when unknown
    bool key = false;
    // False for a packet the container hides (before the cut of a clip
    // trimmed without re-encoding): decoded as a reference of the frames
    // after it, never a frame of the clip.
    bool shown = true;
};

// The frame index of a clip: which packet holds which frame in presentation
// order, where the keyframes are, and how a decoded frame's timestamp maps
// back to its frame number.
//
// When every packet has a presentation timestamp, frames are ordered by it.
// Otherwise (AVI: timestamps count chunks in decode order, some packets have
// none) the n-th frame shown is the n-th packet of the decode timeline, and a
// decoded frame's best-effort timestamp is the decode timestamp of a packet
// the decoder's reorder delay later, measured on the first frame decoded.
// Empty packets (AVI's empty chunks) are no frames: the gaps they leave are
// longer intervals between the frames around them. Hidden packets are no
// frames either, but they stay in the decode order: a keyframe among them
// is where decoding the first frames shown starts.
class FrameIndex {
public:
    // `tickPerChunk`: the stream counts one tick per chunk (AVI), so that a
    // gap in the timestamps is a run of empty chunks.
    void build(std::vector<PacketInfo> packets, bool tickPerChunk = false);

    int frameCount() const { return int(m_slotTimestamp.size()); }
    // Timestamp of frame `frame` in stream ticks: its presentation time, or
    // its place on the decode timeline.
    int64_t frameTimestamp(int frame) const { return m_slotTimestamp[frame]; }
    int packetCount() const { return int(m_packets.size()); }
    const PacketInfo& packet(int decodeIndex) const { return m_packets[decodeIndex]; }
    bool usesDecodeTimeline() const { return m_decodeTimeline; }

    // Decode timeline only: how many packets later than its own the packet
    // is whose timestamp a decoded frame carries.
    void setOutputDelay(int delay) { m_outputDelay = delay; }
    int outputDelay() const { return m_outputDelay; }
    // Sets the delay from the timestamp the first frame came out with.
    void calibrateOutputDelay(int64_t firstFrameTimestamp);

    // Frame number of a decoded frame's timestamp, -1 when not in the index.
    int frameForTimestamp(int64_t timestamp) const;
    // Timestamp that the decoded frame `frame` carries.
    int64_t timestampOfFrame(int frame) const;

    // Decode index of a packet read after a seek, -1 when unknown.
    int identify(int64_t dts, int64_t pos) const;
    // Whether a decoded frame with this timestamp comes from a hidden packet
    // (for frames whose packet is not known otherwise).
    bool isHiddenTimestamp(int64_t timestamp) const {
        return m_hiddenTimestamps.count(timestamp) != 0;
    }

    // Keyframes in decode order, with the frame number each one shows.
    int keyCount() const { return int(m_keys.size()); }
    int keyDecodeIndex(int key) const { return m_keys[key].decodeIndex; }
    int keyFrame(int key) const { return m_keys[key].frame; }
    // Key to decode from for `frame`: the last one showing a frame at or
    // before it, then `stepsBack` keys earlier; 0 at worst.
    int keyFor(int frame, int stepsBack = 0) const;
    // A seek showed that `key` really shows `frame` (open GOP on the decode
    // timeline: leading frames come before it).
    void learnKeyFrame(int key, int frame);
    // The decoder showed that `key` is no keyframe (a container that marks
    // every packet as one): decoding never starts there again. The first key
    // stays, decoding has to start somewhere.
    void forgetKey(int key);
    int keyOfDecodeIndex(int decodeIndex) const;
    // The last key before packet `decodeIndex` in decode order, -1 when none.
    int keyBefore(int decodeIndex) const;

    // Length of the clip in stream ticks, last frame's duration included.
    int64_t durationTicks() const { return m_durationTicks; }
    // Whether empty chunks left gaps between the frames of a tick-per-chunk
    // stream.
    bool hasEmptyChunks() const { return m_gaps; }

private:
    struct Key {
        int decodeIndex;
        int frame;
    };
    std::vector<PacketInfo> m_packets;
    // Decode timeline: the place in decode order of the packet with
    // timestamp `dts`, extrapolated past the last one; -1 when none.
    int ordinalOfDts(int64_t dts) const;

    std::vector<int64_t> m_slotTimestamp; // per frame: pts, or dts on the decode timeline
    std::unordered_map<int64_t, int> m_frameOfTimestamp;
    std::unordered_map<int64_t, int> m_packetOfDts;
    std::unordered_map<int64_t, int> m_packetOfPos;
    std::unordered_set<int64_t> m_hiddenTimestamps;
    std::vector<Key> m_keys;
    bool m_decodeTimeline = false;
    bool m_dtsUnique = true;
    bool m_gaps = false;
    int m_outputDelay = 0;
    int64_t m_medianStep = 1;
    int64_t m_durationTicks = 0;
};

} // namespace traxilo
