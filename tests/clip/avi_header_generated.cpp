// The header reader against clips written by real encoders: every FourCC the
// generator writes must be read back at the fixed offsets with its codec
// name, and the header's facts must agree with what the video backend finds
// in the packets.

#include "clip/avi_header.h"
#include "clip/video_source.h"
#include "clipgen/clip_generator.h"
#include "support/generated_clips.h"

#include <QTest>

using namespace traxilo;
using clipgen::ClipSpec;
using clipgen::Codec;
using clipgen::Container;

class TestAviHeaderGenerated : public QObject {
    Q_OBJECT

private slots:
    void eachFourCC_data();
    void eachFourCC();
};

void TestAviHeaderGenerated::eachFourCC_data() {
    QTest::addColumn<int>("codec");
    QTest::addColumn<QString>("fourCC");
    QTest::addColumn<QString>("codecName");

    QTest::newRow("mjpeg") << int(Codec::Mjpeg) << "MJPG"
                           << "inconnu";
    QTest::newRow("dib") << int(Codec::RawDib) << "DIB "
                         << "Microsoft Bitmap, non compressé";
    QTest::newRow("zero fourcc") << int(Codec::RawNoFourCC) << ""
                                 << "Non compressé";
    QTest::newRow("msvideo1") << int(Codec::MsVideo1) << "CRAM"
                              << "Microsoft Video 1";
    QTest::newRow("cinepak") << int(Codec::Cinepak) << "cvid"
                             << "Cinepak Codec by Radius";
    QTest::newRow("xvid") << int(Codec::Mpeg4Xvid) << "XVID"
                          << "inconnu";
    QTest::newRow("divx") << int(Codec::Mpeg4Divx) << "DIVX"
                          << "DivX Codec";
    QTest::newRow("mp42") << int(Codec::MsMpeg4v2) << "MP42"
                          << "MS MPEG-4 Video Codec V2";
    QTest::newRow("div3") << int(Codec::MsMpeg4v3) << "DIV3"
                          << "DivX Mpeg4";
    QTest::newRow("h264 in avi") << int(Codec::H264) << "H264"
                                 << "inconnu";
}

void TestAviHeaderGenerated::eachFourCC() {
    QFETCH(int, codec);
    QFETCH(QString, fourCC);
    QFETCH(QString, codecName);

    ClipSpec clipSpec;
    clipSpec.codec = Codec(codec);
    clipSpec.container = Container::Avi;
    clipSpec.width = 160;
    clipSpec.height = 120;
    clipSpec.fpsNum = 25;
    clipSpec.frames = 7;
    QString error;
    const QString path =
        testing::generatedClip(clipSpec, QStringLiteral("hdr_%1.avi").arg(codec), &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));

    const AviHeaderResult header = ReadAviHeader(path);
    QVERIFY2(header.ok(), qPrintable(header.errorText));
    QCOMPARE(header.info.codecFourCC, fourCC);
    QCOMPARE(CodecName(header.info.codecFourCC), codecName);
    QVERIFY(header.info.valid);
    QCOMPARE(header.info.frameCount, 7);
    QCOMPARE(header.info.width, 160);
    QCOMPARE(header.info.height, 120);
    QCOMPARE(header.info.framesPerSecond, 25);
    QCOMPARE(double(header.info.framePeriod), 0.04);

    // The backend counts the packets itself; both views of the clip agree.
    const auto source = openVideoSource(path, &error);
    QVERIFY2(source, qPrintable(error));
    QCOMPARE(source->facts().frameCount, header.info.frameCount);
    QCOMPARE(source->facts().width, header.info.width);
    QCOMPARE(source->facts().height, header.info.height);
}

QTEST_GUILESS_MAIN(TestAviHeaderGenerated)
#include "avi_header_generated.moc"
