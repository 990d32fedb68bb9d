// The generator's truth must be the physics it claims, and its frame code
// must read back, or say it cannot, on any picture.
#include "clipgen/clip_generator.h"
#include "clip/ffmpeg_video_source.h"
#include "support/generated_clips.h"

#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

using namespace traxilo;
using namespace traxilo::clipgen;

class ClipGeneratorTest : public QObject {
    Q_OBJECT
private slots:
    void truthFollowsTheMotion_data();
    void truthFollowsTheMotion();
    void codeReadsOnlyWhereItIs();
    void truthFile();
    void refusesImpossibleSpecs();
};

void ClipGeneratorTest::truthFollowsTheMotion_data() {
    QTest::addColumn<int>("motion");
    QTest::addColumn<double>("v0x");
    QTest::addColumn<double>("v0y");
    QTest::newRow("free fall") << int(Motion::FreeFall) << 0.0 << 0.0;
    QTest::newRow("throw up and right") << int(Motion::Throw) << 1.5 << 3.0;
}

void ClipGeneratorTest::truthFollowsTheMotion() {
    QFETCH(int, motion);
    QFETCH(double, v0x);
    QFETCH(double, v0y);
    ClipSpec clipSpec;
    clipSpec.motion = Motion(motion);
    clipSpec.v0x = v0x;
    clipSpec.v0y = v0y;
    clipSpec.frames = 30;
    const auto truth = generateClip(clipSpec, testing::scratchFolder() + "/motion.avi");
    QVERIFY(truth);
    QCOMPARE(int(truth->frames.size()), 30);
    const double ppm = truth->pixelsPerMetre;
    QVERIFY(ppm > 0);
    // The ruler is 1 m long in the picture's pixels.
    QCOMPARE(QLineF(truth->rulerA, truth->rulerB).length(), ppm);
    const QPointF start = truth->frames.front().ball;
    for (const FrameTruth& f : truth->frames) {
        const double x = start.x() + v0x * f.t * ppm;
        const double y = start.y() - (v0y * f.t - clipSpec.g * f.t * f.t / 2) * ppm;
        QVERIFY(std::abs(f.ball.x() - x) < 1e-6 && std::abs(f.ball.y() - y) < 1e-6);
        // The whole motion stays below the code band and inside the picture.
        QVERIFY(f.ball.y() > clipSpec.height / 8.0 && f.ball.y() < clipSpec.height);
        QVERIFY(f.ball.x() > 0 && f.ball.x() < clipSpec.width);
    }
    QCOMPARE(truth->frames[25].t, 1.0);

    // The ball is drawn where the truth says: reddest pixel near it.
    const auto source = openVideoSource(testing::scratchFolder() + "/motion.avi");
    QVERIFY(source);
    const QImage frame = source->frame(20);
    const QPoint ball = truth->frames[20].ball.toPoint();
    const QRgb p = frame.pixel(ball);
    QVERIFY2(qRed(p) > 150 && qGreen(p) < 120, qPrintable(QString::number(p, 16)));
}

void ClipGeneratorTest::codeReadsOnlyWhereItIs() {
    ClipSpec clipSpec;
    clipSpec.frames = 1;
    QImage plain(320, 240, QImage::Format_RGB32);
    plain.fill(Qt::lightGray);
    QCOMPARE(readFrameIndex(plain), -1);
    QCOMPARE(readFrameIndex(QImage()), -1);

    QImage noise(320, 240, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random.bounded(2) ? 0xffffffff : 0xff000000);
    QCOMPARE(readFrameIndex(noise), -1);

    // Encoded frames read back at natural size, at 160 pixels wide, and
    // converted to other formats; one cell flipped breaks the parity.
    const QString path = testing::scratchFolder() + "/codes.avi";
    clipSpec.frames = 8;
    clipSpec.width = 640;
    clipSpec.height = 480;
    QVERIFY(generateClip(clipSpec, path));
    const auto source = openVideoSource(path);
    QVERIFY(source);
    for (int i = 0; i < 8; ++i) {
        const QImage full = source->frame(i);
        QCOMPARE(readFrameIndex(full), i);
        QCOMPARE(
            readFrameIndex(full.scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
            i);
        QCOMPARE(readFrameIndex(full.convertToFormat(QImage::Format_RGB888)), i);
    }
    QImage damaged = source->frame(5);
    const QRect lastBit(14 * 40 + 5, 5, 30, 50); // cells are 40 x 60 at 640 x 480
    const bool white = qGray(damaged.pixel(lastBit.center())) > 128;
    QPainter painter(&damaged);
    painter.fillRect(lastBit, white ? Qt::black : Qt::white);
    painter.end();
    QCOMPARE(readFrameIndex(damaged), -1);
}

void ClipGeneratorTest::truthFile() {
    ClipSpec clipSpec;
    clipSpec.frames = 3;
    const auto truth = generateClip(clipSpec, testing::scratchFolder() + "/truth.avi");
    QVERIFY(truth);
    const QString path = testing::scratchFolder() + "/truth.txt";
    QVERIFY(writeTruthFile(*truth, path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList data;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith('#'))
            data << line;
    QCOMPARE(data.size(), 3);
    const QStringList last = data.last().split(' ');
    QCOMPARE(last.size(), 4);
    QCOMPARE(last[0], QString("2"));
    QCOMPARE(last[1].toDouble(), truth->frames[2].t);
    QVERIFY(std::abs(last[3].toDouble() - truth->frames[2].ball.y()) < 1e-6);
    QVERIFY(!writeTruthFile(*truth, testing::scratchFolder() + "/no/such/folder/t.txt"));
}

void ClipGeneratorTest::refusesImpossibleSpecs() {
    ClipSpec odd;
    odd.width = 322;
    QString error;
    QVERIFY(!generateClip(odd, testing::scratchFolder() + "/odd.avi", &error));
    QVERIFY(!error.isEmpty());
    ClipSpec vfrAvi;
    vfrAvi.codec = Codec::H264;
    vfrAvi.variableRate = true;
    QVERIFY(!generateClip(vfrAvi, testing::scratchFolder() + "/vfr.avi", &error));
    ClipSpec none;
    none.frames = 0;
    QVERIFY(!generateClip(none, testing::scratchFolder() + "/none.avi", &error));
}

QTEST_GUILESS_MAIN(ClipGeneratorTest)
#include "clip_generator.moc"
