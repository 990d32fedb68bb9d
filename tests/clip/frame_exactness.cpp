// Every frame shown must be the frame asked for, whatever the codec, the
// keyframe spacing, B-frames or open GOPs, and whatever the order of the
// requests. Frames carry their index in a pixel code that survives lossy
// coding and downscaling.
#include "clip/clip_player.h"
#include "clip/ffmpeg_video_source.h"
#include "clipgen/clip_generator.h"
#include "support/generated_clips.h"

#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>

using namespace traxilo;
using clipgen::ClipSpec;
using clipgen::Codec;
using clipgen::Container;

Q_DECLARE_METATYPE(traxilo::clipgen::ClipSpec)

namespace {

ClipSpec makeClipSpec(Codec codec, int w, int h, int frames, int gop = 12, int bFrames = 0,
                      bool openGop = false, Container container = Container::Avi) {
    ClipSpec s;
    s.codec = codec;
    s.width = w;
    s.height = h;
    s.frames = frames;
    s.gop = gop;
    s.bFrames = bFrames;
    s.openGop = openGop;
    s.container = container;
    return s;
}

std::unique_ptr<FfmpegVideoSource> openClip(const QString& path) {
    auto source = std::make_unique<FfmpegVideoSource>();
    QString error;
    if (!source->open(path, &error)) {
        qWarning() << error;
        return nullptr;
    }
    return source;
}

// Index read from the frame shown at 160 pixels wide.
int shownIndex(VideoSource& source, int frame) {
    const QSize small(160, 160 * source.facts().height / source.facts().width);
    const QImage image = source.frame(frame, small);
    if (image.size() != small)
        return -2;
    return clipgen::readFrameIndex(image);
}

// A truncated clip loses its unfinished last frame; a cut one the frames
// before the cut.
int expectedFrames(const ClipSpec& clip) {
    return (clip.truncated ? clip.frames - 1 : clip.frames) - clip.cutAt;
}

} // namespace

class FrameExactness : public QObject {
    Q_OBJECT
private slots:
    void everyOrder_data();
    void everyOrder();
    void playbackEndsOnLastFrame_data();
    void playbackEndsOnLastFrame();
    void trimmedClipTimesFromFirstShown_data();
    void trimmedClipTimesFromFirstShown();
};

void FrameExactness::everyOrder_data() {
    QTest::addColumn<ClipSpec>("clip");
    QTest::addColumn<QString>("name");
    QTest::newRow("mjpeg") << makeClipSpec(Codec::Mjpeg, 320, 240, 30) << "mjpeg.avi";
    QTest::newRow("dib") << makeClipSpec(Codec::RawDib, 160, 120, 24) << "dib.avi";
    QTest::newRow("raw no fourcc") << makeClipSpec(Codec::RawNoFourCC, 160, 120, 24) << "raw0.avi";
    QTest::newRow("msvideo1") << makeClipSpec(Codec::MsVideo1, 160, 120, 24) << "cram.avi";
    QTest::newRow("cinepak") << makeClipSpec(Codec::Cinepak, 160, 120, 20) << "cvid.avi";
    QTest::newRow("xvid") << makeClipSpec(Codec::Mpeg4Xvid, 320, 240, 40) << "xvid.avi";
    QTest::newRow("divx gop 7") << makeClipSpec(Codec::Mpeg4Divx, 320, 240, 30, 7) << "divx.avi";
    QTest::newRow("xvid b-frames closed gop")
        << makeClipSpec(Codec::Mpeg4Xvid, 320, 240, 40, 12, 2) << "xvid_b.avi";
    QTest::newRow("xvid b-frames open gop")
        << makeClipSpec(Codec::Mpeg4Xvid, 320, 240, 40, 12, 2, true) << "xvid_b_open.avi";
    QTest::newRow("mp42") << makeClipSpec(Codec::MsMpeg4v2, 320, 240, 30) << "mp42.avi";
    QTest::newRow("div3") << makeClipSpec(Codec::MsMpeg4v3, 320, 240, 30) << "div3.avi";
    QTest::newRow("h264 mp4") << makeClipSpec(Codec::H264, 320, 240, 30, 12, 0, false,
                                              Container::Mp4)
                              << "h264.mp4";
    QTest::newRow("h264 mp4 b-frames open gop")
        << makeClipSpec(Codec::H264, 320, 240, 40, 12, 3, true, Container::Mp4) << "h264_open.mp4";
    QTest::newRow("h264 avi b-frames")
        << makeClipSpec(Codec::H264, 320, 240, 40, 12, 3, false, Container::Avi) << "h264_b.avi";
    QTest::newRow("h264 avi b-frames open gop")
        << makeClipSpec(Codec::H264, 320, 240, 40, 12, 2, true, Container::Avi)
        << "h264_b_open.avi";
    ClipSpec vfr = makeClipSpec(Codec::H264, 320, 240, 40, 10, 2, false, Container::Mp4);
    vfr.variableRate = true;
    QTest::newRow("h264 mp4 variable rate") << vfr << "h264_vfr.mp4";
    QTest::newRow("hevc mp4 b-frames open gop")
        << makeClipSpec(Codec::Hevc, 320, 240, 30, 10, 2, true, Container::Mp4) << "hevc_open.mp4";
    // As other programs write them: leading B-frames of open GOPs, the last
    // keyframe shown after a B-frame, empty chunks between pictures, and key
    // flags that say every packet is a keyframe.
    for (const char* name : {"mpeg4-open-gop", "hevc-avi-remux", "cinepak-truncated"})
        QTest::newRow(name) << *clipgen::recipe(name) << QString(name) + ".avi";
    // Trimmed without re-encoding: the file starts on frames that are only
    // references of the frames shown, the keyframe among them.
    QTest::newRow("phone-trimmed") << *clipgen::recipe("phone-trimmed") << "phone-trimmed.mp4";
    QTest::newRow("phone-hevc-trimmed")
        << *clipgen::recipe("phone-hevc-trimmed") << "phone-hevc-trimmed.mov";
}

void FrameExactness::everyOrder() {
    QFETCH(ClipSpec, clip);
    QFETCH(QString, name);
    QString error;
    const QString path = testing::generatedClip(clip, name, &error);
    if (path.isEmpty() && error.contains("encodeur absent"))
        QSKIP(qPrintable("this machine's libavcodec lacks the encoder: " + error));
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    const int n = expectedFrames(clip);
    const int firstCode = clip.cutAt; // the code painted in the first frame shown

    // Every pass on a fresh source, with the normal cache and with a cache
    // that keeps a single frame, so that no cache hit hides a wrong decode.
    for (const bool oneFrame : {false, true}) {
        const auto fresh = [&] {
            auto source = openClip(path);
            if (source && oneFrame)
                source->setCacheBudget(0);
            return source;
        };
        const auto check = [&](VideoSource& source, int i, const char* pass) {
            const int shown = shownIndex(source, i) - firstCode;
            if (shown == i)
                return true;
            qWarning("%s, %s: frame %d shows %d (%s)", pass, oneFrame ? "cache of one" : "cache", i,
                     shown, qPrintable(source.errorString()));
            return false;
        };

        // Forward, at natural size and at 160 pixels wide.
        auto source = fresh();
        QVERIFY(source);
        QCOMPARE(source->facts().frameCount, n);
        for (int i = 0; i < n; ++i) {
            const QImage full = source->frame(i);
            QCOMPARE(full.size(), clipgen::shownSize(clip));
            QCOMPARE(clipgen::readFrameIndex(full), firstCode + i);
            QVERIFY(check(*source, i, "forward"));
        }

        source = fresh();
        for (int i = n - 1; i >= 0; --i)
            QVERIFY(check(*source, i, "backward"));

        // Each frame as the first one asked for after the opening.
        for (int i = 0; i < n; ++i) {
            source = fresh();
            QVERIFY(check(*source, i, "first jump"));
        }

        QRandomGenerator random(20240611);
        source = fresh();
        for (int k = 0; k < 60; ++k)
            QVERIFY(check(*source, random.bounded(n), "random jumps"));

        // Jumps mixed with short steps.
        source = fresh();
        int at = 0;
        for (int k = 0; k < 60; ++k) {
            const int move = random.bounded(4);
            at = move == 0 ? random.bounded(n) : std::clamp(at + (move == 1 ? -1 : 1), 0, n - 1);
            QVERIFY(check(*source, at, "mixed"));
        }
    }
}

void FrameExactness::playbackEndsOnLastFrame_data() {
    QTest::addColumn<ClipSpec>("clip");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("start");
    QTest::newRow("mjpeg from 0") << makeClipSpec(Codec::Mjpeg, 320, 240, 30) << "mjpeg.avi" << 0;
    QTest::newRow("xvid b-frames from 17")
        << makeClipSpec(Codec::Mpeg4Xvid, 320, 240, 40, 12, 2, true) << "xvid_b_open.avi" << 17;
    QTest::newRow("h264 open gop from 5")
        << makeClipSpec(Codec::H264, 320, 240, 40, 12, 3, true, Container::Mp4) << "h264_open.mp4"
        << 5;
}

void FrameExactness::playbackEndsOnLastFrame() {
    QFETCH(ClipSpec, clip);
    QFETCH(QString, name);
    QFETCH(int, start);
    QString error;
    const QString path = testing::generatedClip(clip, name, &error);
    if (path.isEmpty() && error.contains("encodeur absent"))
        QSKIP(qPrintable("this machine's libavcodec lacks the encoder: " + error));
    QVERIFY2(!path.isEmpty(), qPrintable(error));

    ClipPlayer player;
    QVERIFY2(player.open(path), qPrintable(player.errorString()));
    player.setDisplayRect(QRect(4, 4, 160, 120));
    player.seek(start);
    QCOMPARE(player.position(), start);

    std::vector<int> shown;
    bool codesMatch = true;
    connect(&player, &ClipPlayer::frameShown, this, [&](int index, const QImage& image) {
        shown.push_back(index);
        codesMatch = codesMatch && image.size() == QSize(160, 120) &&
                     clipgen::readFrameIndex(image) == index;
    });
    int notices = 0;
    QEventLoop loop;
    connect(&player, &ClipPlayer::notify, &loop, [&] {
        ++notices;
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    player.play();
    QCOMPARE(player.mode(), ClipPlayer::Mode::Playing);
    loop.exec();

    QCOMPARE(notices, 1);
    QCOMPARE(player.mode(), ClipPlayer::Mode::Stopped);
    QCOMPARE(player.position(), player.length() - 1);
    QVERIFY(!shown.empty());
    QCOMPARE(shown.back(), player.length() - 1);
    QVERIFY(std::is_sorted(shown.begin(), shown.end()));
    QVERIFY(codesMatch);
    QCOMPARE(clipgen::readFrameIndex(player.currentImage()), player.length() - 1);
}

void FrameExactness::trimmedClipTimesFromFirstShown_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("h264 mp4") << "phone-trimmed"
                              << "phone-trimmed.mp4";
    QTest::newRow("hevc mov turned") << "phone-hevc-trimmed"
                                     << "phone-hevc-trimmed.mov";
}

void FrameExactness::trimmedClipTimesFromFirstShown() {
    QFETCH(QString, name);
    QFETCH(QString, file);
    const ClipSpec clip = *clipgen::recipe(name);
    QString error;
    const QString path = testing::generatedClip(clip, file, &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    const auto source = openClip(path);
    QVERIFY(source);
    const VideoFacts& facts = source->facts();
    const int n = clip.frames - clip.cutAt;
    const double period = double(clip.fpsDen) / clip.fpsNum;
    QCOMPARE(int(facts.timing.times.size()), n);
    for (int i = 0; i < n; ++i)
        QVERIFY2(qAbs(facts.timing.times[std::size_t(i)] - i * period) < 1e-4,
                 qPrintable(QString("frame %1 at %2 s").arg(i).arg(facts.timing.times[i])));
    QVERIFY(facts.timing.evenlySpaced);
    QVERIFY(qAbs(facts.durationMs - n * period * 1000) < 1.0);
    QCOMPARE(facts.rotation, clip.rotation);
}

QTEST_GUILESS_MAIN(FrameExactness)
#include "frame_exactness.moc"
