// The packet index: presentation order, keyframes, timestamp mapping and
// duration, from packet lists as demuxers give them.
#include "clip/frame_index.h"

#include <QtTest>

using namespace traxilo;

namespace {

constexpr int64_t kNone = PacketInfo::kNoTimestamp;

PacketInfo packet(int64_t pts, int64_t dts, bool key = false, int64_t duration = 0,
                  int64_t pos = -1) {
    PacketInfo p;
    p.pts = pts;
    p.dts = dts;
    p.key = key;
    p.duration = duration;
    p.pos = pos;
    return p;
}

} // namespace

class FrameIndexTest : public QObject {
    Q_OBJECT
private slots:
    void presentationOrder_data();
    void presentationOrder();
    void keyChoice();
    void identifiesPacketsAfterSeek();
    void emptyChunksAreNoFrames();
    void hiddenPacketsAreReferencesOnly();
};

void FrameIndexTest::presentationOrder_data() {
    QTest::addColumn<std::vector<PacketInfo>>("packets");
    QTest::addColumn<bool>("decodeTimeline");
    QTest::addColumn<int64_t>("delay");
    // Decoded timestamps in frame order, as the decoder reports them.
    QTest::addColumn<std::vector<int64_t>>("stamps");
    QTest::addColumn<int64_t>("duration");

    // MP4 with B-frames: pts 0 512 1024 ... in decode order I P B B P B B.
    QTest::newRow("pts with b-frames")
        << std::vector<PacketInfo>{packet(0, -1024, true),
                                   packet(1536, -512),
                                   packet(512, 0),
                                   packet(1024, 512),
                                   packet(3072, 1024),
                                   packet(2048, 1536),
                                   packet(2560, 2048, false, 512)}
        << false << int64_t(0) << std::vector<int64_t>{0, 512, 1024, 1536, 2048, 2560, 3072}
        << int64_t(3584);
    // Variable rate: irregular pts, the last frame's own duration counts.
    QTest::newRow("variable rate")
        << std::vector<PacketInfo>{packet(0, 0, true), packet(40, 40), packet(96, 96),
                                   packet(120, 120, false, 48)}
        << false << int64_t(0) << std::vector<int64_t>{0, 40, 96, 120} << int64_t(168);
    // AVI with B-frames: dts count frames, references carry no pts, and
    // decoded frames come out one slot late (the last one without any).
    QTest::newRow("avi b-frames") << std::vector<PacketInfo>{packet(kNone, 0, true, 1),
                                                             packet(kNone, 1, false, 1),
                                                             packet(2, 2, false, 1),
                                                             packet(3, 3, false, 1),
                                                             packet(kNone, 4, false, 1)}
                                  << true << int64_t(1) << std::vector<int64_t>{1, 2, 3, 4, 5}
                                  << int64_t(5);
    // Only the last packet lacks a pts: the decode timeline still applies.
    QTest::newRow("last frame without pts")
        << std::vector<PacketInfo>{packet(0, 0, true), packet(1, 1), packet(kNone, 2)} << true
        << int64_t(0) << std::vector<int64_t>{0, 1, 2} << int64_t(3);
    // No durations at all: the last frame lasts the mean interval.
    QTest::newRow("no durations") << std::vector<PacketInfo>{packet(0, 0, true), packet(3, 3),
                                                             packet(6, 6)}
                                  << false << int64_t(0) << std::vector<int64_t>{0, 3, 6}
                                  << int64_t(9);
}

void FrameIndexTest::presentationOrder() {
    QFETCH(std::vector<PacketInfo>, packets);
    QFETCH(bool, decodeTimeline);
    QFETCH(int64_t, delay);
    QFETCH(std::vector<int64_t>, stamps);
    QFETCH(int64_t, duration);

    FrameIndex index;
    index.build(packets);
    index.setOutputDelay(delay);
    QCOMPARE(index.frameCount(), int(packets.size()));
    QCOMPARE(index.usesDecodeTimeline(), decodeTimeline);
    for (int f = 0; f < int(stamps.size()); ++f) {
        QCOMPARE(index.frameForTimestamp(stamps[f]), f);
        QCOMPARE(index.timestampOfFrame(f), stamps[f]);
    }
    QCOMPARE(index.frameForTimestamp(kNone), -1);
    QCOMPARE(index.frameForTimestamp(stamps.back() + 100000), -1);
    QCOMPARE(index.durationTicks(), duration);
}

void FrameIndexTest::keyChoice() {
    // Keys at frames 0, 4 and 8 of a 12-frame intra/predicted stream.
    std::vector<PacketInfo> packets;
    for (int i = 0; i < 12; ++i)
        packets.push_back(packet(i, i, i % 4 == 0));
    FrameIndex index;
    index.build(packets);
    QCOMPARE(index.keyCount(), 3);
    QCOMPARE(index.keyFrame(index.keyFor(0)), 0);
    QCOMPARE(index.keyFrame(index.keyFor(3)), 0);
    QCOMPARE(index.keyFrame(index.keyFor(4)), 4);
    QCOMPARE(index.keyFrame(index.keyFor(11)), 8);
    QCOMPARE(index.keyFrame(index.keyFor(11, 1)), 4);
    QCOMPARE(index.keyFor(11, 5), 0);
    QCOMPARE(index.keyOfDecodeIndex(8), 2);
    QCOMPARE(index.keyOfDecodeIndex(7), -1);

    // A seek showed that the key at packet 4 shows frame 6 (two leading
    // frames before it): frames 4 and 5 must come from the key before.
    index.learnKeyFrame(1, 6);
    QCOMPARE(index.keyFrame(index.keyFor(5)), 0);
    QCOMPARE(index.keyFrame(index.keyFor(6)), 6);

    // A stream that starts on a predicted frame is decoded from packet 0.
    FrameIndex late;
    late.build({packet(0, 0), packet(1, 1), packet(2, 2, true)});
    QCOMPARE(late.keyCount(), 2);
    QCOMPARE(late.keyDecodeIndex(late.keyFor(1)), 0);
    QCOMPARE(late.keyDecodeIndex(late.keyFor(2)), 2);

    FrameIndex empty;
    empty.build({});
    QCOMPARE(empty.frameCount(), 0);
    QCOMPARE(empty.keyCount(), 0);
}

void FrameIndexTest::identifiesPacketsAfterSeek() {
    FrameIndex index;
    index.build(
        {packet(0, 0, true, 0, 100), packet(2, 1, false, 0, 200), packet(1, 2, false, 0, 300)});
    QCOMPARE(index.identify(1, -1), 1);
    QCOMPARE(index.identify(kNone, 300), 2);
    QCOMPARE(index.identify(7, 999), -1);

    // Repeated dts cannot tell packets apart: positions must.
    FrameIndex repeated;
    repeated.build({packet(0, 0, true, 0, 10), packet(1, 0, false, 0, 20)});
    QCOMPARE(repeated.identify(0, 20), 1);
    QCOMPARE(repeated.identify(0, 10), 0);
}

void FrameIndexTest::emptyChunksAreNoFrames() {
    // AVI after empty chunks: ticks 2 and 5-6 have no packet. The frames
    // around them are just further apart; decoded frames that come out one
    // packet late carry the next packet's tick.
    const std::vector<PacketInfo> packets{packet(kNone, 0, true), packet(kNone, 1),
                                          packet(kNone, 3, true), packet(kNone, 4),
                                          packet(kNone, 7)};
    FrameIndex avi;
    avi.build(packets, true);
    QCOMPARE(avi.frameCount(), 5);
    QVERIFY(avi.hasEmptyChunks());
    const int64_t tick[5] = {0, 1, 3, 4, 7};
    for (int f = 0; f < 5; ++f)
        QCOMPARE(avi.frameTimestamp(f), tick[f]);
    // The last frame lasts as long as the frames usually do, not one tick.
    QCOMPARE(avi.durationTicks(), int64_t(9));
    QCOMPARE(avi.frameForTimestamp(7), 4);
    avi.calibrateOutputDelay(1);
    QCOMPARE(avi.outputDelay(), 1);
    QCOMPARE(avi.frameForTimestamp(3), 1);
    QCOMPARE(avi.frameForTimestamp(7), 3);
    QCOMPARE(avi.keyFrame(avi.keyFor(4)), 2);

    // Elsewhere a gap is a longer interval too, and says nothing of chunks.
    FrameIndex other;
    other.build(packets);
    QCOMPARE(other.frameCount(), 5);
    QVERIFY(!other.hasEmptyChunks());
    QCOMPARE(other.frameForTimestamp(7), 4);
}

void FrameIndexTest::hiddenPacketsAreReferencesOnly() {
    // Trimmed without re-encoding: the keyframe and two frames before the cut
    // (negative times) are hidden; frames 0 to 3 are shown, a keyframe at 2.
    std::vector<PacketInfo> packets{packet(-3, -4, true),  packet(-1, -3), packet(-2, -2),
                                    packet(1, -1),         packet(0, 0),   packet(2, 1, true),
                                    packet(3, 2, false, 1)};
    for (int i : {0, 1, 2})
        packets[std::size_t(i)].shown = false;
    FrameIndex index;
    index.build(packets);
    QCOMPARE(index.frameCount(), 4);
    for (int f = 0; f < 4; ++f)
        QCOMPARE(index.frameTimestamp(f), int64_t(f));
    QCOMPARE(index.durationTicks(), int64_t(4));
    // Frames 0 and 1 are decoded from the hidden keyframe, 2 on from its own.
    QCOMPARE(index.keyDecodeIndex(index.keyFor(0)), 0);
    QCOMPARE(index.keyFrame(index.keyFor(1)), 0);
    QCOMPARE(index.keyDecodeIndex(index.keyFor(3)), 5);
    // Hidden packets are found after a seek, and their frames are no frames.
    QCOMPARE(index.identify(-3, -1), 1);
    QVERIFY(index.isHiddenTimestamp(-2));
    QVERIFY(!index.isHiddenTimestamp(0));
    QCOMPARE(index.frameForTimestamp(-2), -1);
}

QTEST_APPLESS_MAIN(FrameIndexTest)
#include "frame_index.moc"
