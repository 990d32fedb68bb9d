// The decoded-frame cache keeps to its memory budget, dropping the least
// recently used frames first.
#include "clip/frame_cache.h"

#include <QtTest>

using namespace traxilo;

namespace {

FrameCache::Frame frame(int tag) {
    return std::make_shared<const int>(tag);
}

int tagOf(const FrameCache::Frame& f) {
    return f ? *static_cast<const int*>(f.get()) : -1;
}

} // namespace

class FrameCacheTest : public QObject {
    Q_OBJECT
private slots:
    void keepsToBudget();
    void replacesAndShrinks();
    void protectedFramesGoLast();
};

void FrameCacheTest::keepsToBudget() {
    FrameCache cache(300);
    for (int i = 0; i < 3; ++i)
        cache.insert(i, frame(i), 100);
    QCOMPARE(cache.count(), 3);
    QCOMPARE(cache.bytes(), std::size_t(300));

    // Using frame 0 makes frame 1 the oldest: it goes first.
    QCOMPARE(tagOf(cache.find(0)), 0);
    cache.insert(3, frame(3), 100);
    QCOMPARE(cache.count(), 3);
    QVERIFY(!cache.contains(1));
    QVERIFY(cache.contains(0) && cache.contains(2) && cache.contains(3));

    // A frame larger than the whole budget stays alone.
    cache.insert(4, frame(4), 1000);
    QCOMPARE(cache.count(), 1);
    QCOMPARE(tagOf(cache.find(4)), 4);
    QVERIFY(!cache.find(0));
}

void FrameCacheTest::replacesAndShrinks() {
    FrameCache cache(1000);
    cache.insert(7, frame(1), 400);
    cache.insert(7, frame(2), 300);
    QCOMPARE(cache.count(), 1);
    QCOMPARE(cache.bytes(), std::size_t(300));
    QCOMPARE(tagOf(cache.find(7)), 2);

    // The same frame kept under two numbers (a repeated picture) costs once.
    cache.insert(8, cache.find(7), 0);
    QCOMPARE(cache.bytes(), std::size_t(300));
    for (int i = 0; i < 5; ++i)
        cache.insert(10 + i, frame(10 + i), 100);
    QCOMPARE(cache.count(), 7);
    cache.setBudget(250);
    QVERIFY(cache.bytes() <= 250);
    QVERIFY(cache.contains(14) && cache.contains(13));
    QVERIFY(!cache.contains(7));
    cache.clear();
    QCOMPARE(cache.count(), 0);
    QCOMPARE(cache.bytes(), std::size_t(0));
}

void FrameCacheTest::protectedFramesGoLast() {
    // Stepping backward from frame 9: 5 to 8 are about to be shown, 9 and up
    // were seen, even though 9 was used last.
    FrameCache cache(500);
    for (int i = 5; i < 10; ++i)
        cache.insert(i, frame(i), 100);
    cache.protect(5, 8);
    cache.find(9);
    cache.insert(4, frame(4), 100);
    QVERIFY(!cache.contains(9));
    QVERIFY(cache.contains(5) && cache.contains(8) && cache.contains(4));

    // Once only protected frames are left, the oldest of them goes; the
    // newest frame stays.
    cache.protect(0, 10);
    cache.setBudget(200);
    QCOMPARE(cache.count(), 2);
    QVERIFY(cache.contains(4));

    cache.protect(1, 0); // none
    cache.insert(11, frame(11), 100);
    cache.insert(12, frame(12), 100);
    QCOMPARE(cache.count(), 2);
    QVERIFY(cache.contains(11) && cache.contains(12));
}

QTEST_APPLESS_MAIN(FrameCacheTest)
#include "frame_cache.moc"
