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

QTEST_APPLESS_MAIN(FrameCacheTest)
#include "frame_cache.moc"
