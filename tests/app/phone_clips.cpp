// Clips as phones and camcorders write them: a display rotation (and a
// mirror) makes the picture upright, non-square pixels are shown square, and
// every size and position is that of the picture as shown.
#include "app/main_window.h"
#include "app/up_down.h"
#include "clip/ffmpeg_video_source.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "support/generated_clips.h"
#include "support/measure_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using namespace traxilo;
using namespace traxilo::test;
using clipgen::ClipSpec;

Q_DECLARE_METATYPE(traxilo::clipgen::ClipSpec)

namespace {

ClipSpec turned(clipgen::Codec codec, clipgen::Container container, int rotation,
                bool mirrored = false) {
    ClipSpec s;
    s.codec = codec;
    s.container = container;
    s.width = 320;
    s.height = 240;
    s.frames = 24;
    s.gop = 8;
    s.bFrames = 2;
    s.openGop = true;
    s.rotation = rotation;
    s.mirrored = mirrored;
    return s;
}

// Spread of the ball's pixels across and down the picture: equal for a round
// ball.
QPointF ballSpread(const QImage& picture) {
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 120 && c.blue() < 110) {
                n += 1;
                sx += x;
                sy += y;
                sxx += double(x) * x;
                syy += double(y) * y;
            }
        }
    }
    if (n < 10)
        return {};
    return QPointF(std::sqrt(sxx / n - (sx / n) * (sx / n)),
                   std::sqrt(syy / n - (sy / n) * (sy / n)));
}

} // namespace

class PhoneClips : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(QLatin1Char('.')); }
    void uprightAndExact_data();
    void uprightAndExact();
    void positionsInTheUprightPicture();
    void squarePixelsOfACamcorder();
};

void PhoneClips::uprightAndExact_data() {
    using clipgen::Codec;
    using clipgen::Container;
    QTest::addColumn<ClipSpec>("clip");
    QTest::newRow("h264 mp4 90") << turned(Codec::H264, Container::Mp4, 90);
    QTest::newRow("h264 mp4 180") << turned(Codec::H264, Container::Mp4, 180);
    QTest::newRow("h264 mov 270") << turned(Codec::H264, Container::Mov, 270);
    QTest::newRow("hevc mp4 90 mirrored") << turned(Codec::Hevc, Container::Mp4, 90, true);
    QTest::newRow("hevc 10 bits mov 270") << *clipgen::recipe("phone-hevc10");
}

// The frame code, drawn at the top of the picture as filmed, reads only on
// an upright, unmirrored picture; and it reads the right frame in any order.
void PhoneClips::uprightAndExact() {
    QFETCH(ClipSpec, clip);
    QString error;
    const QString name = QString("turned_%1_%2_%3_%4.%5")
                             .arg(int(clip.codec))
                             .arg(clip.rotation)
                             .arg(clip.mirrored)
                             .arg(clip.tenBit)
                             .arg(clip.container == clipgen::Container::Mov ? "mov" : "mp4");
    const QString path = testing::generatedClip(clip, name, &error);
    if (path.isEmpty() && error.contains("encodeur absent"))
        QSKIP(qPrintable("this machine's libavcodec lacks the encoder: " + error));
    QVERIFY2(!path.isEmpty(), qPrintable(error));

    for (const bool oneFrame : {false, true}) {
        FfmpegVideoSource source;
        QVERIFY2(source.open(path, &error), qPrintable(error));
        if (oneFrame)
            source.setCacheBudget(0);
        const VideoFacts& facts = source.facts();
        QCOMPARE(QSize(facts.width, facts.height), clipgen::shownSize(clip));
        QCOMPARE(facts.rotation, clip.rotation);
        QCOMPARE(facts.mirrored, clip.mirrored);
        const int n = facts.frameCount;
        QCOMPARE(n, clip.frames);
        std::vector<int> order;
        for (int i = 0; i < n; ++i)
            order.push_back(i);
        for (int i = n - 1; i >= 0; --i)
            order.push_back(i);
        QRandomGenerator random(11);
        for (int k = 0; k < 30; ++k)
            order.push_back(random.bounded(n));
        for (int i : order) {
            const QImage shown = source.frame(i);
            QCOMPARE(shown.size(), clipgen::shownSize(clip));
            QCOMPARE(clipgen::readFrameIndex(shown), i);
        }
        // At another display size too (the picture is scaled, then turned).
        const QSize half = clipgen::shownSize(clip) / 2;
        QCOMPARE(clipgen::readFrameIndex(source.frame(n / 2, half)), n / 2);
    }
}

// A portrait clip opens upright: its size, the surface, every click and the
// ball under it are those of the upright picture; the page says how it turned.
void PhoneClips::positionsInTheUprightPicture() {
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    const ClipSpec clipSpec =
        turned(clipgen::Codec::H264, clipgen::Container::Mp4, 90); // 320 x 240 stored
    const OpenedClip clip = openGeneratedClip(fixture, clipSpec, QStringLiteral("portrait.mp4"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *fixture.window;
    const MeasurementDocument& document = w.document();
    QCOMPARE(document.pictureSize(), QSize(240, 320));
    QCOMPARE(widgetNamed(w, QStringLiteral("PaintBox1"))->size(), QSize(240, 320));
    QCOMPARE(surfaceImage(w).size(), QSize(240, 320));
    QCOMPARE(labelText(w, "lblDimL"), QStringLiteral("Largeur : 240 pixels"));
    QCOMPARE(labelText(w, "lblDimH"), QStringLiteral("Hauteur : 320 pixels"));
    QCOMPARE(labelText(w, "lblDimStockee"), QStringLiteral("Taille stockée : 320 × 240 pixels"));
    QCOMPARE(labelText(w, "lblRotation"), QStringLiteral("rotation : 90°"));

    // The origin at the bottom-left pixel of the upright picture.
    QCOMPARE(document.calibration().Yo, 319);
    // The ball is under its true place on each frame: the picture is upright.
    for (int i = 0; i < 6; ++i) {
        showFrame(w, i);
        const QColor under =
            surfaceImage(w).pixelColor(rounded(clip.truth->frames[size_t(i)].ball));
        QVERIFY2(under.red() > 150 && under.green() < 120,
                 qPrintable(QString("frame %1: %2").arg(i).arg(under.name())));
    }
    // Each click is kept where it was made on the upright picture.
    showFrame(w, 0);
    for (int i = 0; i < 6; ++i) {
        const QPoint ball = rounded(clip.truth->frames[size_t(i)].ball);
        QCOMPARE(w.frameShown(), i);
        clickSurface(w, ball);
        QCOMPARE(document.position(i, 1)->pixel, QPointF(ball));
    }
    // Clicks below the stored picture's height are inside the upright one.
    showFrame(w, 10);
    clickSurface(w, QPoint(100, 300));
    QCOMPARE(document.position(10, 1)->pixel, QPointF(100, 300));
}

// DV from a camcorder stores 720 pixels 16:15 wide for 768 shown: the ball is
// round on screen, and after one calibration on the horizontal ruler the
// upright ruler of the same length measures the same.
void PhoneClips::squarePixelsOfACamcorder() {
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    const OpenedClip clip =
        openGeneratedClip(fixture, *clipgen::recipe("camcorder-dv"), QStringLiteral("dv.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *fixture.window;
    const clipgen::ClipTruth& truth = *clip.truth;
    QCOMPARE(w.document().pictureSize(), QSize(768, 576));
    QCOMPARE(surfaceImage(w).size(), QSize(768, 576));
    QCOMPARE(labelText(w, "lblDimStockee"), QStringLiteral("Taille stockée : 720 × 576 pixels"));
    QVERIFY(labelText(w, "lblRotation").isEmpty());

    const QPointF spread = ballSpread(surfaceImage(w));
    QVERIFY(spread.y() > 0);
    QVERIFY2(std::abs(spread.x() / spread.y() - 1) < 0.03,
             qPrintable(QString("%1 x %2").arg(spread.x()).arg(spread.y())));

    scaleOnRuler(w, rounded(truth.rulerA), rounded(truth.rulerB), QStringLiteral("1"));

    // The upright ruler's two ends as the two points of one frame.
    trigger(w, "popUpMnuModeAcquerir");
    child<UpDown>(w, "udPointsPlan")->stepBy(true);
    QCOMPARE(w.document().pointsPerFrame(), 2);
    child<UpDown>(w, "udPointNumero")->stepBy(false); // point 1 first
    clickSurface(w, rounded(truth.rulerC));
    clickSurface(w, rounded(truth.rulerD));
    const std::optional<FramePosition> c = w.document().metres(0, 1);
    const std::optional<FramePosition> d = w.document().metres(0, 2);
    QVERIFY(c && d);
    const double upright = std::hypot(double(d->x - c->x), double(d->y - c->y));
    QVERIFY2(std::abs(upright - truth.rulerLengthM) < 0.015, qPrintable(QString::number(upright)));
}

QTEST_MAIN(PhoneClips)
#include "phone_clips.moc"
