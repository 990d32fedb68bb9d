// Each frame's own time from the timestamps the file gives it, and whether
// the frames are evenly spaced, of variable rate, or irregular.
#include "clip/frame_timing.h"

#include <QtTest>

using namespace traxilo;

class FrameTimingTest : public QObject {
    Q_OBJECT
private slots:
    void timingOfTimestamps_data();
    void timingOfTimestamps();
};

void FrameTimingTest::timingOfTimestamps_data() {
    QTest::addColumn<std::vector<int64_t>>("stamps");
    QTest::addColumn<int64_t>("duration");
    QTest::addColumn<int>("tickDen");
    QTest::addColumn<bool>("even");
    QTest::addColumn<bool>("variable");
    QTest::addColumn<std::vector<int>>("irregular");

    // Milliseconds at 30 per second: 33 and 34 ms, within one tick.
    QTest::newRow("ms at 30") << std::vector<int64_t>{0, 33, 67, 100, 133, 167} << int64_t(200)
                              << 1000 << true << false << std::vector<int>{};
    // 30 then 60 per second (1/90000 s).
    QTest::newRow("30 then 60") << std::vector<int64_t>{0, 3000, 6000, 7500, 9000, 10500}
                                << int64_t(12000) << 90000 << false << true
                                << std::vector<int>{1, 2};
    // A little jitter: not evenly spaced, but no warning.
    QTest::newRow("jitter") << std::vector<int64_t>{0, 3000, 6100, 9000, 12050} << int64_t(15000)
                            << 90000 << false << false << std::vector<int>{};
    // A dropped frame: one interval twice as long.
    QTest::newRow("dropped") << std::vector<int64_t>{0, 1, 2, 4, 5} << int64_t(6) << 25 << false
                             << true << std::vector<int>{3};
    // Repeated timestamps: intervals of zero.
    QTest::newRow("repeated") << std::vector<int64_t>{0, 10, 10, 20, 30} << int64_t(40) << 300
                              << false << true << std::vector<int>{2};
}

void FrameTimingTest::timingOfTimestamps() {
    QFETCH(std::vector<int64_t>, stamps);
    QFETCH(int64_t, duration);
    QFETCH(int, tickDen);
    QFETCH(bool, even);
    QFETCH(bool, variable);
    QFETCH(std::vector<int>, irregular);
    const FrameTiming timing = analyseFrameTiming(stamps, duration, 1, tickDen);
    QCOMPARE(timing.evenlySpaced, even);
    QCOMPARE(timing.variableRate, variable);
    QCOMPARE(timing.irregularFrames, irregular);
    QCOMPARE(int(timing.times.size()), int(stamps.size()));
    QCOMPARE(timing.times.back(), double(stamps.back() - stamps.front()) / tickDen);
}

QTEST_GUILESS_MAIN(FrameTimingTest)
#include "frame_timing.moc"
