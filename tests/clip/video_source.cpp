// Facts the backend gives of clips, and how it refuses files that are no
// clip it can show: a clear French text, no crash, no hang.
#include "clip/ffmpeg_video_source.h"
#include "clipgen/clip_encoder.h"
#include "clipgen/clip_generator.h"
#include "clipgen/frame_code.h"
#include "support/avi_bytes.h"
#include "support/generated_clips.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QtTest>

using namespace traxilo;
using clipgen::ClipSpec;
using clipgen::Codec;
using clipgen::Container;

namespace {

const QString kOpenError = QStringLiteral("Impossible d'ouvrir le clip : ");

ClipSpec makeClipSpec(Codec codec, int frames, int fpsNum, int fpsDen = 1,
                      Container container = Container::Avi) {
    ClipSpec s;
    s.codec = codec;
    s.width = 160;
    s.height = 120;
    s.frames = frames;
    s.fpsNum = fpsNum;
    s.fpsDen = fpsDen;
    s.container = container;
    return s;
}

QString samples() {
    return QStringLiteral(TRAXILO_SAMPLES_DIR "/avi");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = testing::scratchFolder() + '/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void putLe32(QByteArray& bytes, int at, quint32 value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xff);
}

// Small clips whose bytes the bad-input cases damage.
QByteArray mjpegBytes() {
    static QByteArray bytes;
    if (bytes.isEmpty())
        bytes = readAll(testing::generatedClip(makeClipSpec(Codec::Mjpeg, 20, 25), "base.avi"));
    return bytes;
}

QByteArray rawBytes() {
    static QByteArray bytes;
    if (bytes.isEmpty())
        bytes =
            readAll(testing::generatedClip(makeClipSpec(Codec::RawDib, 20, 25), "base_raw.avi"));
    return bytes;
}

} // namespace

class VideoSourceTest : public QObject {
    Q_OBJECT
private slots:
    void generatedFacts_data();
    void generatedFacts();
    void variableRateDuration();
    void sampleFacts_data();
    void sampleFacts();
    void refusedFiles_data();
    void refusedFiles();
    void damagedHeaders_data();
    void damagedHeaders();
    void truncatedDataKeepsWholeFrames();
    void emptyChunksAreNoFrames();
    void requestsOutsideTheClip();
    void undecodableFrameSaysSo();
    void lateLookAheadLeavesTheDecoder();
    void steppingBackwardIsDecodedAhead();
    void rightEdgeOfAnyWidth_data();
    void rightEdgeOfAnyWidth();
};

void VideoSourceTest::generatedFacts_data() {
    QTest::addColumn<ClipSpec>("clip");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("codecName");
    QTest::addColumn<QString>("fourCC");
    QTest::addColumn<double>("durationMs");
    QTest::newRow("mjpeg 25 fps") << makeClipSpec(Codec::Mjpeg, 25, 25) << "f_mjpeg.avi"
                                  << "mjpeg"
                                  << "MJPG" << 1000.0;
    QTest::newRow("dib 10 fps") << makeClipSpec(Codec::RawDib, 7, 10) << "f_dib.avi"
                                << "rawvideo"
                                << "" << 700.0;
    QTest::newRow("xvid 30000/1001")
        << makeClipSpec(Codec::Mpeg4Xvid, 30, 30000, 1001) << "f_xvid.avi"
        << "mpeg4"
        << "XVID" << 1001.0;
    QTest::newRow("one frame") << makeClipSpec(Codec::Mjpeg, 1, 25) << "f_one.avi"
                               << "mjpeg"
                               << "MJPG" << 40.0;
    QTest::newRow("h264 mp4 12 fps")
        << makeClipSpec(Codec::H264, 18, 12, 1, Container::Mp4) << "f_h264.mp4"
        << "h264"
        << "avc1" << 1500.0;
}

void VideoSourceTest::generatedFacts() {
    QFETCH(ClipSpec, clip);
    QFETCH(QString, name);
    QFETCH(QString, codecName);
    QFETCH(QString, fourCC);
    QFETCH(double, durationMs);
    QString error;
    const QString path = testing::generatedClip(clip, name, &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    const auto source = openVideoSource(path, &error);
    QVERIFY2(source, qPrintable(error));
    const VideoFacts& f = source->facts();
    QCOMPARE(f.frameCount, clip.frames);
    QCOMPARE(f.width, clip.width);
    QCOMPARE(f.height, clip.height);
    QVERIFY2(std::abs(f.durationMs - durationMs) < 0.5, qPrintable(QString::number(f.durationMs)));
    QVERIFY(std::abs(f.frameRate - double(clip.fpsNum) / clip.fpsDen) < 0.01);
    QCOMPARE(f.codecName, codecName);
    QCOMPARE(f.codecFourCC, fourCC);
    QCOMPARE(clipgen::readFrameIndex(source->frame(clip.frames - 1)), clip.frames - 1);
}

void VideoSourceTest::variableRateDuration() {
    ClipSpec clip = makeClipSpec(Codec::H264, 20, 25, 1, Container::Mp4);
    clip.variableRate = true;
    QString error;
    const QString path = testing::generatedClip(clip, "f_vfr.mp4", &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    const auto truth = clipgen::generateClip(clip, testing::scratchFolder() + "/f_vfr2.mp4");
    QVERIFY(truth);
    const auto source = openVideoSource(path, &error);
    QVERIFY2(source, qPrintable(error));
    QCOMPARE(source->facts().frameCount, 20);
    // The frame times are irregular: the clip lasts until the last frame's
    // time plus one interval, not 20 nominal periods.
    const double lastMs = truth->frames.back().t * 1000;
    QVERIFY(std::abs(lastMs - 19 * 40) > 5);
    QVERIFY2(source->facts().durationMs > lastMs && source->facts().durationMs < lastMs + 80,
             qPrintable(QString::number(source->facts().durationMs)));
}

void VideoSourceTest::sampleFacts_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("durationMs");
    QTest::newRow("camera mjpeg") << "ball_segmentation_ball.avi" << 51 << 960 << 540 << 1700.0;
    QTest::newRow("plot animation") << "DesAppliofRob_ball.avi" << 138 << 560 << 420 << 4600.0;
    QTest::newRow("palettised") << "maXbox4_cool.avi" << 13 << 60 << 39 << 1300.0;
    QTest::newRow("mp4 named .avi") << "dos_clock.avi" << 72 << 322 << 322 << 12000.0;
}

void VideoSourceTest::sampleFacts() {
    QFETCH(QString, file);
    QFETCH(int, frames);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, durationMs);
    const QString path = samples() + '/' + file;
    if (!QFile::exists(path))
        QSKIP("the shared sample folder is absent");
    QString error;
    const auto source = openVideoSource(path, &error);
    QVERIFY2(source, qPrintable(error));
    const VideoFacts& f = source->facts();
    QCOMPARE(f.frameCount, frames);
    QCOMPARE(f.width, width);
    QCOMPARE(f.height, height);
    QVERIFY2(std::abs(f.durationMs - durationMs) < 1, qPrintable(QString::number(f.durationMs)));

    // Last, first, middle: every frame comes out at the size asked, opaque
    // (palettised frames included) and not all black.
    for (int i : {frames - 1, 0, frames / 2}) {
        const QImage image = source->frame(i, QSize(width / 2, height / 2));
        QCOMPARE(image.size(), QSize(width / 2, height / 2));
        QCOMPARE(image.format(), QImage::Format_RGB32);
        bool lit = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                QCOMPARE(qAlpha(p), 255);
                lit = lit || qGray(p) > 40;
            }
        }
        QVERIFY2(lit, qPrintable(QStringLiteral("frame %1 is black").arg(i)));
    }
}

void VideoSourceTest::refusedFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("why"); // part of the error text

    QTest::newRow("missing") << testing::scratchFolder() + "/absent.avi"
                             << "introuvable";
    QTest::newRow("folder") << testing::scratchFolder() << "introuvable";
    QTest::newRow("text named .avi")
        << writeFile("text.avi", "Ceci n'est pas un clip.\nSeulement du texte.\n") << "reconnu";
    QTest::newRow("100 bytes of an AVI") << writeFile("short.avi", mjpegBytes().left(100)) << "";
    QTest::newRow("empty") << writeFile("empty.avi", {}) << "reconnu";
    // The container is known, the file is not whole: it says so.
    QTest::newRow("MP4 without its index") << testing::mp4WithoutIndex() << "incomplet";
    const QString dir = samples();
    if (QFile::exists(dir)) {
        QTest::newRow("headers only") << dir + "/exiftool_RIFF.avi"
                                      << "aucune image";
        QTest::newRow("audio only") << dir + "/MediaArea_AAC_file1.avi"
                                    << "piste vidéo";
        QTest::newRow("zip named .avi") << dir + "/fuzzcorpus_new.avi"
                                        << "reconnu";
    }
}

void VideoSourceTest::refusedFiles() {
    QFETCH(QString, path);
    QFETCH(QString, why);
    QVERIFY(!path.isEmpty());
    QElapsedTimer clock;
    clock.start();
    QString error;
    const auto source = openVideoSource(path, &error);
    QVERIFY(!source);
    QVERIFY2(error.startsWith(kOpenError), qPrintable(error));
    QVERIFY2(error.contains(why), qPrintable(error));
    QVERIFY(clock.elapsed() < 5000);
}

void VideoSourceTest::damagedHeaders_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("opens");

    const QByteArray base = mjpegBytes();
    const int avih = base.indexOf("avih");
    const int strh = base.indexOf("strh");
    const int strf = base.indexOf("strf");
    const int movi = base.indexOf("movi");
    QVERIFY(avih > 0 && strh > 0 && strf > 0 && movi > 0);

    // Compressed pictures tell their own size: a header that lies about it
    // does not matter.
    QByteArray huge = base;
    putLe32(huge, strf + 8 + 4, 0x7fffffff); // biWidth
    putLe32(huge, strf + 8 + 8, 0x7fffffff); // biHeight
    QTest::newRow("mjpeg said 2^31 wide") << huge << true;

    // Raw frames have nothing else to go by.
    const QByteArray raw = rawBytes();
    const int rawStrf = raw.indexOf("strf");
    QByteArray rawHuge = raw;
    putLe32(rawHuge, rawStrf + 8 + 4, 0x7fffffff);
    putLe32(rawHuge, rawStrf + 8 + 8, 0x7fffffff);
    QTest::newRow("raw said 2^31 wide") << rawHuge << false;
    QByteArray rawZero = raw;
    putLe32(rawZero, rawStrf + 8 + 4, 0);
    QTest::newRow("raw said 0 wide") << rawZero << false;

    // Counts and sizes that lie: the packets are what counts.
    QByteArray counts = base;
    putLe32(counts, avih + 8 + 16, 0xffffffff); // dwTotalFrames
    putLe32(counts, strh + 8 + 32, 0x7fffffff); // dwLength
    QTest::newRow("frame counts 2^32") << counts << true;

    QByteArray riff = base;
    putLe32(riff, 4, 0xfffffff0);
    putLe32(riff, movi - 4, 0xfffffff0);
    QTest::newRow("chunk sizes past the end") << riff << true;

    QByteArray rate = base;
    putLe32(rate, strh + 8 + 20, 0); // dwScale
    putLe32(rate, strh + 8 + 24, 0); // dwRate
    QTest::newRow("frame rate 0 over 0") << rate << true;
}

void VideoSourceTest::damagedHeaders() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    static int written = 0;
    const QString path = writeFile(QString("damaged_%1.avi").arg(++written), bytes);
    QVERIFY(!path.isEmpty());
    QElapsedTimer clock;
    clock.start();
    QString error;
    const auto source = openVideoSource(path, &error);
    QCOMPARE(bool(source), opens);
    if (!opens) {
        QVERIFY2(error.startsWith(kOpenError), qPrintable(error));
    } else {
        QCOMPARE(source->facts().frameCount, 20);
        QCOMPARE(source->facts().width, 160);
        QCOMPARE(source->facts().height, 120);
        QVERIFY(source->facts().durationMs > 0);
        for (int i : {19, 0, 11})
            QCOMPARE(clipgen::readFrameIndex(source->frame(i)), i);
    }
    QVERIFY(clock.elapsed() < 5000);
}

void VideoSourceTest::truncatedDataKeepsWholeFrames() {
    const QByteArray base = mjpegBytes();
    const int movi = base.indexOf("movi");
    // Cut in the header, right after the first chunk header, and inside
    // frames at 40 % and 80 %.
    for (const int cut : {movi - 20, movi + 12, int(base.size() * 0.4), int(base.size() * 0.8)}) {
        const QString path = writeFile(QString("cut_%1.avi").arg(cut), base.left(cut));
        QString error;
        const auto source = openVideoSource(path, &error);
        if (!source) {
            QVERIFY2(error.startsWith(kOpenError), qPrintable(error));
            QVERIFY2(cut <= movi + 12, qPrintable(QString("cut at %1: %2").arg(cut).arg(error)));
            continue;
        }
        const int n = source->facts().frameCount;
        QVERIFY(n >= 1 && n < 20);
        for (int i = n - 1; i >= 0; --i)
            QCOMPARE(clipgen::readFrameIndex(source->frame(i)), i);
    }
}

// A capture program that drops frames writes empty chunks in their place:
// they are no frames. Each picture is shown once, at the time its timestamp
// gives (10 fps here, frames 3, 4 and 8 dropped).
void VideoSourceTest::emptyChunksAreNoFrames() {
    const ClipSpec clip = makeClipSpec(Codec::Mjpeg, 12, 10);
    const QString path = testing::scratchFolder() + "/f_dropped.avi";
    QString error;
    clipgen::ClipEncoder encoder;
    QVERIFY2(encoder.open(clip, path, &error), qPrintable(error));
    std::vector<int> kept;
    for (int i = 0; i < clip.frames; ++i) {
        if (i == 3 || i == 4 || i == 8)
            continue;
        kept.push_back(i);
        QImage picture(clip.width, clip.height, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        QPainter painter(&picture);
        clipgen::drawFrameCode(painter, clip.width, clip.height, i);
        painter.end();
        QVERIFY2(encoder.write(picture, i / 10.0, &error), qPrintable(error));
    }
    QVERIFY2(encoder.finish(&error), qPrintable(error));

    const auto source = openVideoSource(path, &error);
    QVERIFY2(source, qPrintable(error));
    const VideoFacts& facts = source->facts();
    QCOMPARE(facts.frameCount, 9);
    QVERIFY2(std::abs(facts.durationMs - 1200) < 0.5,
             qPrintable(QString::number(facts.durationMs)));
    QCOMPARE(int(facts.timing.times.size()), 9);
    QVERIFY(!facts.timing.evenlySpaced);
    QVERIFY(facts.timing.variableRate);
    QCOMPARE(facts.timing.irregularFrames, (std::vector<int>{3, 6}));
    for (int f : {8, 3, 0, 5, 2, 7, 4, 1, 6}) {
        QCOMPARE(clipgen::readFrameIndex(source->frame(f)), kept[f]);
        QVERIFY(std::abs(facts.timing.times[f] - kept[f] / 10.0) < 1e-9);
    }
}

void VideoSourceTest::requestsOutsideTheClip() {
    QString error;
    const QString path =
        testing::generatedClip(makeClipSpec(Codec::Mjpeg, 25, 25), "f_mjpeg.avi", &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    FfmpegVideoSource source;
    QVERIFY(source.open(path, &error));
    QVERIFY(source.frame(-1).isNull());
    QVERIFY(source.frame(25).isNull());
    QVERIFY(!source.errorString().isEmpty());
    QVERIFY(source.frame(3, QSize(100000, 100000)).isNull());
    // Still usable afterwards, and a frame seen once is not decoded again.
    QCOMPARE(clipgen::readFrameIndex(source.frame(24, QSize(160, 120))), 24);
    const int decoded = source.framesDecoded();
    QCOMPARE(clipgen::readFrameIndex(source.frame(24, QSize(320, 240))), 24);
    QCOMPARE(source.framesDecoded(), decoded);
}

// A frame the decoder cannot read says so, each time it is asked for, and
// no other frame's picture stands in for it.
void VideoSourceTest::undecodableFrameSaysSo() {
    const QString path = writeFile("damaged.avi", test::damageAviFrame(mjpegBytes(), 7));
    QVERIFY(!path.isEmpty());
    for (const bool oneFrame : {false, true}) {
        FfmpegVideoSource source;
        QString error;
        QVERIFY2(source.open(path, &error), qPrintable(error));
        if (oneFrame)
            source.setCacheBudget(0);
        for (int i : {6, 7, 8, 7, 19, 7, 0}) {
            const QImage image = source.frame(i);
            if (i != 7) {
                QCOMPARE(clipgen::readFrameIndex(image), i);
                continue;
            }
            QVERIFY(image.isNull());
            QCOMPARE(source.errorString(),
                     QStringLiteral("L'image n° 8 ne peut pas être décodée."));
        }
    }
}

// A look-ahead that comes once the decoder has passed its frame never moves
// the decoder back to a keyframe: the next step would decode again the whole
// way from there.
void VideoSourceTest::lateLookAheadLeavesTheDecoder() {
    ClipSpec clip = makeClipSpec(Codec::Mpeg4Xvid, 60, 30);
    clip.gop = 30;
    QString error;
    const QString path = testing::generatedClip(clip, "f_gop30.avi", &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    FfmpegVideoSource source;
    QVERIFY2(source.open(path, &error), qPrintable(error));
    source.setCacheBudget(0); // frame 35 is gone once 40 is decoded
    QCOMPARE(clipgen::readFrameIndex(source.frame(40)), 40);
    const int seeks = source.seeks();
    const int decoded = source.framesDecoded();
    source.prefetch(35);
    QCOMPARE(source.seeks(), seeks);
    QCOMPARE(source.framesDecoded(), decoded);
    QCOMPARE(clipgen::readFrameIndex(source.frame(41)), 41);
    QCOMPARE(source.framesDecoded(), decoded + 1);
    // One still ahead is decoded on from where the decoder stands.
    source.prefetch(43);
    QCOMPARE(source.framesDecoded(), decoded + 3);
    QCOMPARE(source.seeks(), seeks);
}

// Stepping backward, the frames before the one shown are decoded ahead, over
// keyframes, with no more frames kept than the cache allows: each step then
// finds its frame ready.
void VideoSourceTest::steppingBackwardIsDecodedAhead() {
    ClipSpec clip = makeClipSpec(Codec::Mpeg4Xvid, 90, 30);
    clip.gop = 30;
    QString error;
    const QString path = testing::generatedClip(clip, "f_gop30_90.avi", &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    FfmpegVideoSource source;
    QVERIFY2(source.open(path, &error), qPrintable(error));
    source.setCacheBudget(1u << 20);
    QCOMPARE(clipgen::readFrameIndex(source.frame(80)), 80);
    int most = 0;
    for (int frame = 79; frame >= 0; --frame) {
        // What the player asks of the prefetch thread after each step back.
        source.prefetchBackward(frame + 1);
        const int decoded = source.framesDecoded();
        QCOMPARE(clipgen::readFrameIndex(source.frame(frame)), frame);
        QVERIFY2(source.framesDecoded() == decoded, qPrintable(QString("frame %1").arg(frame)));
        most = std::max(most, source.cachedFrames());
    }
    QVERIFY(most < clip.gop);
}

// The fast colour conversion works on blocks of 16 pixels; pictures of other
// widths keep a clean right edge (and the memory after them intact).
void VideoSourceTest::rightEdgeOfAnyWidth_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("324") << 324;
    QTest::newRow("328") << 328;
}

void VideoSourceTest::rightEdgeOfAnyWidth() {
    QFETCH(int, width);
    ClipSpec clip = makeClipSpec(Codec::H264, 6, 25, 1, Container::Mp4);
    clip.width = width;
    QString error;
    const QString path = testing::generatedClip(clip, QString("w%1.mp4").arg(width), &error);
    if (path.isEmpty() && error.contains("encodeur absent"))
        QSKIP(qPrintable("this machine's libavcodec lacks the encoder: " + error));
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    FfmpegVideoSource source;
    QVERIFY2(source.open(path, &error), qPrintable(error));
    for (int i : {0, 3, 5}) {
        const QImage image = source.frame(i);
        QCOMPARE(image.size(), QSize(width, 120));
        // Beside the falling ball the picture is plain background.
        for (int y = 30; y < 90; ++y) {
            const QColor inside = image.pixelColor(width - 8, y);
            for (int x = width - 4; x < width; ++x) {
                const QColor edge = image.pixelColor(x, y);
                QVERIFY2(std::abs(edge.red() - inside.red()) +
                                 std::abs(edge.green() - inside.green()) +
                                 std::abs(edge.blue() - inside.blue()) <
                             30,
                         qPrintable(QString("frame %1 at (%2, %3)").arg(i).arg(x).arg(y)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(VideoSourceTest)
#include "video_source.moc"
