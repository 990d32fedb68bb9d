// The reader of frames in order: every frame asked for comes, upright and in
// order, each decoded once, and a reader dropped half way stops at once.
#include "clip/frame_reader.h"
#include "clip/ffmpeg_video_source.h"
#include "clipgen/clip_generator.h"
#include "support/generated_clips.h"

#include <QtTest>

using namespace traxilo;

namespace {

// A phone clip held upright, with B-frames: stored order is not shown order.
QString portraitClip() {
    clipgen::ClipSpec clipSpec = *clipgen::recipe(QStringLiteral("phone-portrait"));
    clipSpec.width = 320;
    clipSpec.height = 176;
    clipSpec.frames = 40;
    clipSpec.gop = 12;
    return testing::generatedClip(clipSpec, QStringLiteral("reader_portrait.mp4"));
}

} // namespace

class FrameReaderTest : public QObject {
    Q_OBJECT
private slots:
    void readsInOrderOnce_data();
    void readsInOrderOnce();
    void droppedHalfWay();
};

void FrameReaderTest::readsInOrderOnce_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("step");
    QTest::newRow("every frame") << 0 << 1;
    QTest::newRow("every third from 5") << 5 << 3;
}

void FrameReaderTest::readsInOrderOnce() {
    QFETCH(int, first);
    QFETCH(int, step);
    FfmpegVideoSource source;
    QString error;
    QVERIFY2(source.open(portraitClip(), &error), qPrintable(error));
    const int before = source.framesDecoded();
    FrameReader reader(source, first, step);
    int expected = first;
    for (FrameReader::Frame f = reader.next(); f.index >= 0; f = reader.next()) {
        QCOMPARE(f.index, expected);
        QCOMPARE(f.picture.size(), QSize(176, 320));
        QCOMPARE(clipgen::readFrameIndex(f.picture), expected);
        expected += step;
    }
    QVERIFY(expected > 39 && expected - step <= 39);
    QCOMPARE(reader.next().index, -1);
    // One pass: no frame decoded twice, whatever the step.
    QVERIFY2(source.framesDecoded() - before <= 40,
             qPrintable(QString::number(source.framesDecoded())));
}

void FrameReaderTest::droppedHalfWay() {
    FfmpegVideoSource source;
    QVERIFY(source.open(portraitClip(), nullptr));
    {
        FrameReader reader(source, 0, 1, -1, 4);
        QCOMPARE(reader.next().index, 0);
    }
    // The source is free again for random access.
    QCOMPARE(clipgen::readFrameIndex(source.frame(30)), 30);
}

QTEST_GUILESS_MAIN(FrameReaderTest)
#include "frame_reader.moc"
