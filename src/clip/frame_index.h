#pragma once

#include <cstdint>
#include <limits>
#include <unordered_map>
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
};

// The frame index of a clip: which packet holds which frame in presentation
// order, where the keyframes are, and how a decoded frame's timestamp maps
// back to its frame number.
//
// When every packet has a presentation timestamp, frames are ordered by it.
// Otherwise (AVI: timestamps count frames in decode order, some packets have
// none) the n-th frame shown is the n-th slot of the decode timeline, and a
// decoded frame's best-effort timestamp is its slot shifted by the
// decoder's reorder delay, measured on the first frame decoded.
class FrameIndex {
public:
    // `tickPerFrame`: every frame lasts one tick of the stream (AVI). A gap in
    // the timestamps is then a run of empty chunks, frames that repeat the
    // picture before them; they keep their places so that frame i stays at
    // time i x period.
    void build(std::vector<PacketInfo> packets, bool tickPerFrame = false);

    int frameCount() const { return int(m_slotTimestamp.size()); }
    // The frame whose picture frame `frame` shows: itself, or for a repeated
    // frame the last one before it that has a packet.
    int pictureFrame(int frame) const { return m_pictureOf[frame]; }
    int packetCount() const { return int(m_packets.size()); }
    const PacketInfo& packet(int decodeIndex) const { return m_packets[decodeIndex]; }
    bool usesDecodeTimeline() const { return m_decodeTimeline; }

    // Decode timeline only: timestamp of decoded frames minus their slot's.
    void setOutputDelay(int64_t delay) { m_outputDelay = delay; }
    int64_t outputDelay() const { return m_outputDelay; }

    // Frame number of a decoded frame's timestamp, -1 when not in the index.
    int frameForTimestamp(int64_t timestamp) const;
    // Timestamp that the decoded frame `frame` carries.
    int64_t timestampOfFrame(int frame) const;

    // Decode index of a packet read after a seek, -1 when unknown.
    int identify(int64_t dts, int64_t pos) const;

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

private:
    struct Key {
        int decodeIndex;
        int frame;
    };
    std::vector<PacketInfo> m_packets;
    std::vector<int64_t> m_slotTimestamp; // per frame: pts, or dts on the decode timeline
    std::vector<int> m_pictureOf;         // per frame, see pictureFrame()
    std::unordered_map<int64_t, int> m_frameOfTimestamp;
    std::unordered_map<int64_t, int> m_packetOfDts;
    std::unordered_map<int64_t, int> m_packetOfPos;
    std::vector<Key> m_keys;
    bool m_decodeTimeline = false;
    bool m_dtsUnique = true;
    int64_t m_outputDelay = 0;
    int64_t m_durationTicks = 0;
};

} // namespace traxilo
