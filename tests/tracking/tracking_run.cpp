// A tracking run as the window drives it: what it refuses and why, stopping
// at any time without losing what was tracked, several points at a step,
// and a question asked again when the answer cannot be used.
#include "clipgen/clip_generator.h"
#include "clipgen/scene.h"
#include "support/avi_bytes.h"
#include "support/generated_clips.h"
#include "tracking/run_harness.h"

#include <QFile>
#include <QtTest>
#include <cmath>

using namespace traxilo;
using namespace traxilo::tracking;

namespace {

struct Clip {
    QString path;
    clipgen::ClipTruth truth;
};

Clip trackingClip(const QString& recipe, int frames = 0) {
    clipgen::ClipSpec clipSpec = *clipgen::recipe(recipe);
    clipSpec.width = 640;
    clipSpec.height = 360;
    if (frames > 0)
        clipSpec.frames = frames;
    return {testing::generatedClip(clipSpec, QStringLiteral("%1_%2.mp4").arg(recipe).arg(frames)),
            clipgen::Scene(clipSpec).truth()};
}

RunSetup setupOn(const Clip& clip, int first = 0) {
    RunSetup setup;
    setup.clipPath = clip.path;
    setup.firstFrame = first;
    setup.objects = {{clip.truth.frames[std::size_t(first)].ball, clip.truth.ballRadius}};
    return setup;
}

double distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

} // namespace

class TrackingRunTest : public QObject {
    Q_OBJECT
private slots:
    void refusesWithAReason_data();
    void refusesWithAReason();
    void stopKeepsWhatWasTracked();
    void stopWhileAsking();
    void severalPointsWithAStep();
    void unusableAnswerAsksAgain();
    void frameThatCannotBeDecoded();
};

void TrackingRunTest::refusesWithAReason_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("reason");
    QTest::newRow("radius under 3 px") << "radius 2.9"
                                       << "au moins 3 pixels";
    QTest::newRow("radius over the picture") << "radius 200"
                                             << "ne tient pas dans l'image";
    QTest::newRow("centre outside") << "outside"
                                    << "hors de l'image";
    QTest::newRow("no object") << "none"
                               << "de 1 à 9 objets";
    QTest::newRow("ten objects") << "ten"
                                 << "de 1 à 9 objets";
    QTest::newRow("from the last frame") << "last"
                                         << "Aucune image ne suit";
    QTest::newRow("clip of one frame") << "one frame"
                                       << "qu'une image";
    QTest::newRow("no clip") << "no clip"
                             << "Impossible d'ouvrir le clip";
}

void TrackingRunTest::refusesWithAReason() {
    QFETCH(QString, change);
    QFETCH(QString, reason);
    const Clip clip = trackingClip(QStringLiteral("track-throw"));
    RunSetup setup = setupOn(clip);
    if (change.startsWith("radius"))
        setup.objects[0].radius = change.mid(7).toDouble();
    else if (change == "outside")
        setup.objects[0].centre = QPointF(-1, 100);
    else if (change == "none")
        setup.objects.clear();
    else if (change == "ten")
        setup.objects = QVector<TrackedObject>(10, setup.objects[0]);
    else if (change == "last")
        setup = setupOn(clip, int(clip.truth.frames.size()) - 1);
    else if (change == "one frame")
        setup.clipPath = trackingClip(QStringLiteral("track-throw"), 1).path;
    else if (change == "no clip")
        setup.clipPath = testing::scratchFolder() + "/absent.mp4";

    test::RunHarness harness;
    harness.start(setup);
    QVERIFY(harness.waitForEnd());
    QCOMPARE(harness.end->reason, RunEnd::Reason::Failed);
    QVERIFY2(harness.end->message.contains(reason), qPrintable(harness.end->message));
    QVERIFY(harness.frames.empty());
}

void TrackingRunTest::stopKeepsWhatWasTracked() {
    const Clip clip = trackingClip(QStringLiteral("track-throw"));
    test::RunHarness harness;
    harness.onDoubt = [&](const TrackingDoubt&) {
        QFAIL("a sharp clip tracked from rest asks nothing");
    };
    harness.onFrame = [&](const TrackedFrame& f) {
        if (f.frame == 5)
            harness.run->requestStop(); // from the window's thread, as "Arrêter" does
    };
    harness.start(setupOn(clip));
    QVERIFY(harness.waitForEnd());
    QCOMPARE(harness.end->reason, RunEnd::Reason::Stopped);
    // A frame or two may have been tracked while the request travelled.
    QVERIFY(harness.frames.size() >= 5 && harness.frames.size() < 20);
    for (std::size_t i = 0; i < harness.frames.size(); ++i) {
        QCOMPARE(harness.frames[i].frame, int(i) + 1);
        QVERIFY(distance(harness.frames[i].positions[0], clip.truth.frames[i + 1].ball) < 2);
    }
    QCOMPARE(harness.end->lastTracked, harness.frames.back().frame);
}

void TrackingRunTest::stopWhileAsking() {
    // The pole hides the ball: the run asks, and is told to stop.
    const Clip clip = trackingClip(QStringLiteral("track-pole"));
    test::RunHarness harness;
    harness.onDoubt = [&](const TrackingDoubt&) { harness.call(&TrackingRun::stop); };
    harness.start(setupOn(clip));
    QVERIFY(harness.waitForEnd());
    QCOMPARE(harness.end->reason, RunEnd::Reason::Stopped);
    QCOMPARE(harness.doubts.size(), std::size_t(1));
    const int asked = harness.doubts[0].frame;
    QVERIFY(!harness.doubts[0].text.isEmpty());
    QCOMPARE(harness.end->lastTracked, asked - 1);
    QCOMPARE(int(harness.frames.size()), asked - 1);
}

void TrackingRunTest::severalPointsWithAStep() {
    // The ball, and a patch of the background that stays where it is.
    const Clip clip = trackingClip(QStringLiteral("track-throw"));
    RunSetup setup = setupOn(clip, 2);
    const QPointF patch(500.5, 250.5);
    setup.objects.push_back({patch, 12});
    setup.step = 3;
    test::RunHarness harness;
    // Three frames on from a single position, the ball is farther than a
    // guess allows: the run asks once, and the candidate is right.
    harness.onDoubt = [&](const TrackingDoubt& doubt) {
        QVERIFY(doubt.matches[1].accepted());
        harness.call(&TrackingRun::acceptCandidates);
    };
    harness.start(setup);
    QVERIFY(harness.waitForEnd());
    QCOMPARE(harness.end->reason, RunEnd::Reason::LastFrame);
    QVERIFY(harness.doubts.size() <= 1);
    QCOMPARE(int(harness.frames.size()), 15); // frames 5, 8, ... 47
    for (std::size_t i = 0; i < harness.frames.size(); ++i) {
        const test::RunHarness::Frame& f = harness.frames[i];
        QCOMPARE(f.frame, 5 + 3 * int(i));
        QVERIFY(f.sources[0] != PointSource::Skipped && f.sources[0] != PointSource::Placed);
        QCOMPARE(f.sources[1], PointSource::Tracked);
        QVERIFY(distance(f.positions[0], clip.truth.frames[std::size_t(f.frame)].ball) < 2);
        QVERIFY(distance(f.positions[1], patch) < 0.5);
    }
    QCOMPARE(harness.end->lastTracked, 47);
}

void TrackingRunTest::unusableAnswerAsksAgain() {
    const Clip clip = trackingClip(QStringLiteral("track-pole"));
    test::RunHarness harness;
    int asked = -1;
    harness.onDoubt = [&](const TrackingDoubt& doubt) {
        if (asked < 0) {
            asked = doubt.frame;
            harness.call([run = harness.run] { run->placeObjects({QPointF(-5, 40)}); });
        } else if (doubt.frame == asked && doubt.text.startsWith("Le centre")) {
            harness.call(&TrackingRun::skipFrame);
        } else {
            harness.call(&TrackingRun::stop);
        }
    };
    harness.start(setupOn(clip));
    QVERIFY(harness.waitForEnd());
    QVERIFY(harness.doubts.size() >= 2);
    QCOMPARE(harness.doubts[1].frame, asked);
    QVERIFY2(harness.doubts[1].text.contains("hors de l'image"),
             qPrintable(harness.doubts[1].text));
    // The skipped frame has no position; the run went on after it.
    for (const auto& f : harness.frames)
        QVERIFY(f.frame != asked);
    QVERIFY(harness.doubts.size() == 2 || harness.doubts[2].frame > asked);
}

void TrackingRunTest::frameThatCannotBeDecoded() {
    clipgen::ClipSpec clipSpec = *clipgen::recipe(QStringLiteral("track-throw"));
    clipSpec.codec = clipgen::Codec::Mjpeg;
    clipSpec.container = clipgen::Container::Avi;
    clipSpec.width = 640;
    clipSpec.height = 360;
    clipSpec.bFrames = 0;
    QFile whole(testing::generatedClip(clipSpec, QStringLiteral("track_mjpeg.avi")));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    Clip clip{testing::scratchFolder() + "/track_damaged.avi", clipgen::Scene(clipSpec).truth()};
    QVERIFY(test::writeBytes(clip.path, test::damageAviFrame(whole.readAll(), 7)));

    test::RunHarness harness;
    harness.onDoubt = [&](const TrackingDoubt&) { harness.call(&TrackingRun::skipFrame); };
    harness.start(setupOn(clip));
    QVERIFY(harness.waitForEnd());
    QCOMPARE(harness.end->reason, RunEnd::Reason::LastFrame);
    QCOMPARE(harness.doubts.size(), std::size_t(1));
    QCOMPARE(harness.doubts[0].frame, 7);
    QCOMPARE(harness.doubts[0].text, QStringLiteral("L'image n° 8 ne peut pas être décodée."));
    QCOMPARE(int(harness.frames.size()), 48); // 1 to 49 but 7
    // Past the gap, the ball is found where it is.
    for (const auto& f : harness.frames) {
        QVERIFY(f.frame != 7);
        QVERIFY(distance(f.positions[0], clip.truth.frames[std::size_t(f.frame)].ball) < 2);
    }
}

QTEST_GUILESS_MAIN(TrackingRunTest)
#include "tracking_run.moc"
