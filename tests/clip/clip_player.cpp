// The media player contract: positions stay inside the clip, every frame
// shown is announced at the display size, and a playback always ends with
// one notice, whether it reached the end or was interrupted.
#include "clip/clip_player.h"
#include "clipgen/clip_generator.h"
#include "support/avi_bytes.h"
#include "support/generated_clips.h"

#include <QFile>

#include <QSignalSpy>
#include <QtTest>

using namespace traxilo;

namespace {

QString clip(int frames) {
    clipgen::ClipSpec clipSpec;
    clipSpec.codec = clipgen::Codec::Mjpeg;
    clipSpec.width = 320;
    clipSpec.height = 240;
    clipSpec.frames = frames;
    return testing::generatedClip(clipSpec, QString("player_%1.avi").arg(frames));
}

} // namespace

class ClipPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void stepsAndSeeksStayInside();
    void displayRectSetsTheFrameSize();
    void interruptedPlaybackNotifiesOnce();
    void playOnLastFrameEndsAtOnce();
    void openFailureAndClose();
    void undecodableFrameIsNeverAnother();
};

void ClipPlayerTest::stepsAndSeeksStayInside() {
    ClipPlayer player;
    QSignalSpy shown(&player, &ClipPlayer::frameShown);
    QVERIFY(player.open(clip(20)));
    QCOMPARE(player.mode(), ClipPlayer::Mode::Stopped);
    QCOMPARE(player.length(), 20);
    QCOMPARE(player.lengthMs(), 800.0);
    QCOMPARE(player.displayRect(), QRect(0, 0, 320, 240));
    QCOMPARE(player.position(), 0);
    QCOMPARE(clipgen::readFrameIndex(player.currentImage()), 0);

    player.step(5, true);
    QCOMPARE(player.position(), 5);
    player.step(2, false);
    QCOMPARE(player.position(), 3);
    player.step(100, true);
    QCOMPARE(player.position(), 19);
    player.step(100, false);
    QCOMPARE(player.position(), 0);
    player.seek(-4);
    QCOMPARE(player.position(), 0);
    player.seek(12);
    QCOMPARE(player.position(), 12);
    player.seek(40);
    QCOMPARE(player.position(), 19);

    QVERIFY(shown.size() >= 8);
    const QList<QVariant> last = shown.last();
    QCOMPARE(last.at(0).toInt(), 19);
    QCOMPARE(clipgen::readFrameIndex(last.at(1).value<QImage>()), 19);
}

void ClipPlayerTest::displayRectSetsTheFrameSize() {
    ClipPlayer player;
    QVERIFY(player.open(clip(20)));
    player.seek(7);
    QSignalSpy shown(&player, &ClipPlayer::frameShown);
    // A new size shows the frame again at that size; a move alone does not.
    player.setDisplayRect(QRect(4, 4, 160, 120));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.last().at(1).value<QImage>().size(), QSize(160, 120));
    QCOMPARE(clipgen::readFrameIndex(player.currentImage()), 7);
    player.setDisplayRect(QRect(10, 10, 160, 120));
    QCOMPARE(shown.size(), 1);
    player.step(1, true);
    QCOMPARE(player.currentImage().size(), QSize(160, 120));
    QCOMPARE(clipgen::readFrameIndex(player.currentImage()), 8);
}

void ClipPlayerTest::interruptedPlaybackNotifiesOnce() {
    ClipPlayer player;
    QVERIFY(player.open(clip(60)));
    QSignalSpy notices(&player, &ClipPlayer::notify);
    player.play();
    QCOMPARE(player.mode(), ClipPlayer::Mode::Playing);
    QTest::qWait(250); // about 6 frames at 25 fps
    player.stop();
    const int reached = player.position();
    QCOMPARE(player.mode(), ClipPlayer::Mode::Stopped);
    QVERIFY2(reached > 0 && reached < 59, qPrintable(QString::number(reached)));
    QCOMPARE(clipgen::readFrameIndex(player.currentImage()), reached);
    // The notice comes as an event, after the command.
    QCOMPARE(notices.size(), 0);
    QTRY_COMPARE(notices.size(), 1);
    QTest::qWait(100);
    QCOMPARE(notices.size(), 1);
    QCOMPARE(player.position(), reached);

    // A seek during playback ends it too, and lands where asked.
    player.play();
    QTest::qWait(100);
    player.seek(3);
    QCOMPARE(player.mode(), ClipPlayer::Mode::Stopped);
    QCOMPARE(player.position(), 3);
    QTRY_COMPARE(notices.size(), 2);
    QTest::qWait(200);
    QCOMPARE(player.position(), 3);
    QCOMPARE(notices.size(), 2);
}

void ClipPlayerTest::playOnLastFrameEndsAtOnce() {
    ClipPlayer player;
    QVERIFY(player.open(clip(1)));
    QSignalSpy notices(&player, &ClipPlayer::notify);
    player.play();
    QCOMPARE(player.mode(), ClipPlayer::Mode::Stopped);
    QTRY_COMPARE(notices.size(), 1);
    QCOMPARE(player.position(), 0);
}

void ClipPlayerTest::openFailureAndClose() {
    ClipPlayer player;
    QVERIFY(!player.open(testing::scratchFolder() + "/nothing.avi"));
    QVERIFY(player.errorString().startsWith("Impossible d'ouvrir le clip"));
    QCOMPARE(player.mode(), ClipPlayer::Mode::NotReady);
    QCOMPARE(player.length(), 0);
    player.step(1, true); // nothing open: no effect, no crash
    player.play();
    player.close();
    QVERIFY(!player.isOpen());

    QVERIFY(player.open(clip(20)));
    player.play();
    player.close(); // while playing
    QCOMPARE(player.mode(), ClipPlayer::Mode::NotReady);
    QVERIFY(!player.isOpen());
}

// Reached by a seek, a frame that cannot be decoded leaves no picture on
// show; a playback passes over it and still ends on the last frame.
void ClipPlayerTest::undecodableFrameIsNeverAnother() {
    QFile whole(clip(20));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QString path = testing::scratchFolder() + "/player_damaged.avi";
    QVERIFY(test::writeBytes(path, test::damageAviFrame(whole.readAll(), 7)));

    ClipPlayer player;
    QVERIFY(player.open(path));
    QVERIFY(player.seek(6));
    QSignalSpy shown(&player, &ClipPlayer::frameShown);
    QVERIFY(!player.seek(7));
    QCOMPARE(player.position(), 7);
    QVERIFY(player.currentImage().isNull());
    QCOMPARE(player.errorString(), QStringLiteral("L'image n° 8 ne peut pas être décodée."));
    QCOMPARE(shown.size(), 0);
    QVERIFY(player.step(1, true));
    QCOMPARE(clipgen::readFrameIndex(player.currentImage()), 8);

    player.seek(5);
    shown.clear();
    QSignalSpy notices(&player, &ClipPlayer::notify);
    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(notices.size(), 1, 5000);
    QCOMPARE(player.position(), 19);
    for (const QList<QVariant>& signal : shown) {
        const int index = signal[0].toInt();
        QVERIFY(index != 7);
        QCOMPARE(clipgen::readFrameIndex(signal[1].value<QImage>()), index);
    }
}

QTEST_GUILESS_MAIN(ClipPlayerTest)
#include "clip_player.moc"
