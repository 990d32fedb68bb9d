// Clips as phones and camcorders write them: a display rotation (and a
// mirror) makes the picture upright, non-square pixels are shown square, and
// every size and position is that of the picture as shown.
#include "app/main_window.h"
#include "app/paint_box.h"
#include "clip/clip_player.h"
#include "clip/ffmpeg_video_source.h"
#include "common/number_format.h"
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
    QCOMPARE(QSize(w.ClipInfo.width, w.ClipInfo.height), QSize(240, 320));
    QCOMPARE(w.PaintBox1->size(), QSize(240, 320));
    QCOMPARE(w.PaintBox1->image().size(), QSize(240, 320));
    QCOMPARE(labelText(w, "lblDimL"), QStringLiteral("Largeur : 240 pixels"));
    QCOMPARE(labelText(w, "lblDimH"), QStringLiteral("Hauteur : 320 pixels"));
    QCOMPARE(labelText(w, "lblDimStockee"), QStringLiteral("Taille stockée : 320 × 240 pixels"));
    QCOMPARE(labelText(w, "lblRotation"), QStringLiteral("rotation : 90°"));

    // The origin at the bottom-left pixel of the upright picture.
    QCOMPARE(w.Calibration.Yo, 319);
    for (int i = 0; i < 6; ++i) {
        const QPoint ball = rounded(clip.truth->frames[size_t(i)].ball);
        QCOMPARE(w.currentFrame, i);
        // The ball is under its true place: the picture is upright.
        const QColor under = w.MediaPlayer1->currentImage().pixelColor(ball);
        QVERIFY2(under.red() > 150 && under.green() < 120,
                 qPrintable(QString("frame %1: %2").arg(i).arg(under.name())));
        clickSurface(w, ball);
        QCOMPARE(w.tables.PixelTable.cell(1, i + 1), QString::number(ball.x()));
        QCOMPARE(w.tables.PixelTable.cell(2, i + 1), QString::number(ball.y()));
    }
    // Clicks below the stored picture's height are inside the upright one.
    w.mpPositionner(10);
    clickSurface(w, QPoint(100, 300));
    QCOMPARE(w.tables.PixelTable.cell(2, 11), QStringLiteral("300"));
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
    QCOMPARE(QSize(w.ClipInfo.width, w.ClipInfo.height), QSize(768, 576));
    QCOMPARE(w.PaintBox1->image().size(), QSize(768, 576));
    QCOMPARE(labelText(w, "lblDimStockee"), QStringLiteral("Taille stockée : 720 × 576 pixels"));
    QVERIFY(labelText(w, "lblRotation").isEmpty());

    const QPointF spread = ballSpread(w.PaintBox1->image());
    QVERIFY(spread.y() > 0);
    QVERIFY2(std::abs(spread.x() / spread.y() - 1) < 0.03,
             qPrintable(QString("%1 x %2").arg(spread.x()).arg(spread.y())));

    w.popUpMnuModeEtalonnerClick();
    clickBox(w.rbEtalonSimu);
    clickSurface(w, rounded(truth.rulerA));
    clickBox(w.chkBoxPt2);
    clickSurface(w, rounded(truth.rulerB));
    w.edSi->setFocus();
    w.edSi->selectAll();
    QTest::keyClicks(w.edSi, QStringLiteral("1"));
    w.rbEtalonSimu->setFocus();

    // The upright ruler's two ends as the two points of one frame.
    w.popUpMnuModeAcquerirClick();
    w.nbPointsPlan(2);
    w.ChgPointNumero(1);
    clickSurface(w, rounded(truth.rulerC));
    clickSurface(w, rounded(truth.rulerD));
    const double dx =
        parse(w.tables.MeasureTable.cell(3, 1)) - parse(w.tables.MeasureTable.cell(1, 1));
    const double dy =
        parse(w.tables.MeasureTable.cell(4, 1)) - parse(w.tables.MeasureTable.cell(2, 1));
    const double upright = std::hypot(dx, dy);
    QVERIFY2(std::abs(upright - truth.rulerLengthM) < 0.015, qPrintable(QString::number(upright)));
}

QTEST_MAIN(PhoneClips)
#include "phone_clips.moc"
