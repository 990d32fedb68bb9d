#include "clip/avi_header.h"

#include "support/avi_bytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace traxilo;
using traxilo::test::AviFields;
using traxilo::test::makeAviBytes;
using traxilo::test::writeBytes;

class TestAviHeader : public QObject {
    Q_OBJECT

private slots:
    void init();

    void timing_data();
    void timing();
    void validity_data();
    void validity();
    void fourCC_data();
    void fourCC();
    void codecTable_data();
    void codecTable();
    void shortFiles_data();
    void shortFiles();
    void cannotOpen();
    void textFileReadAtTheOffsets();
    void samples_data();
    void samples();
    void foreignSamples_data();
    void foreignSamples();

private:
    AviHeaderResult readBytes(const QByteArray& bytes);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAviHeader::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

AviHeaderResult TestAviHeader::readBytes(const QByteArray& bytes) {
    const QString path = m_dir->filePath(QStringLiteral("clip.avi"));
    if (!writeBytes(path, bytes))
        qFatal("cannot write the test file");
    return ReadAviHeader(path);
}

void TestAviHeader::timing_data() {
    QTest::addColumn<qint32>("scale");
    QTest::addColumn<qint32>("rate");
    QTest::addColumn<qint32>("scaleRead");
    QTest::addColumn<double>("period");
    QTest::addColumn<qint32>("fps");

    QTest::newRow("25 fps") << 1 << 25 << 1 << 0.04 << 25;
    QTest::newRow("NTSC, 0.0333667 s") << 1001 << 30000 << 1001 << 1001.0 / 30000 << 30;
    QTest::newRow("camera 30 fps") << 1000000 << 30000000 << 1000000 << 1.0 / 30 << 30;
    QTest::newRow("tie to even, 2.5") << 2 << 5 << 2 << 0.4 << 2;
    QTest::newRow("tie to even, 0.5") << 2 << 1 << 2 << 2.0 << 0;
    QTest::newRow("tie to even, 1.5") << 2 << 3 << 2 << 2.0 / 3 << 2;
    // A rate below 1 gives period -1, and the scale is not even read.
    QTest::newRow("rate 0") << 7 << 0 << 0 << -1.0 << -1;
    QTest::newRow("negative rate") << 7 << -25 << 0 << -1.0 << -1;
    QTest::newRow("rate above 2^31 is negative") << 7 << qint32(0x80000000u) << 0 << -1.0 << -1;
    QTest::newRow("negative scale") << -1 << 25 << -1 << -0.04 << -25;
    // A zero scale makes 1 / period infinite: no rate rather than a failure.
    QTest::newRow("zero scale") << 0 << 25 << 0 << 0.0 << 0;
    QTest::newRow("largest rate") << 1 << 2147483647 << 1 << 1.0 / 2147483647 << 2147483647;
    QTest::newRow("largest scale") << 2147483647 << 1 << 2147483647 << 2147483647.0 << 0;
}

void TestAviHeader::timing() {
    QFETCH(qint32, scale);
    QFETCH(qint32, rate);
    QFETCH(qint32, scaleRead);
    QFETCH(double, period);
    QFETCH(qint32, fps);
    AviFields fields;
    fields.frames = 10;
    fields.scale = scale;
    fields.rate = rate;
    const AviHeaderResult result = readBytes(makeAviBytes(fields));
    QVERIFY(result.ok());
    const AviHeaderInfo& info = result.info;
    QCOMPARE(info.rate, rate);
    QCOMPARE(info.scale, scaleRead);
    QVERIFY2(std::fabs(static_cast<double>(info.framePeriod) - period) <= 5e-8 * std::fabs(period),
             qPrintable(QString::number(static_cast<double>(info.framePeriod), 'g', 17)));
    QCOMPARE(info.framesPerSecond, fps);
    QVERIFY(std::fabs(static_cast<double>(info.duration) - 10 * period) <=
            5e-7 * std::fabs(period));
    QCOMPARE(info.valid, period > 0);
}

void TestAviHeader::validity_data() {
    QTest::addColumn<qint32>("frames");
    QTest::addColumn<qint32>("width");
    QTest::addColumn<qint32>("height");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ordinary") << 100 << 320 << 240 << true;
    QTest::newRow("one frame, one pixel") << 1 << 1 << 1 << true;
    QTest::newRow("no frame") << 0 << 320 << 240 << false;
    QTest::newRow("negative frames") << -5 << 320 << 240 << false;
    QTest::newRow("zero width") << 100 << 0 << 240 << false;
    QTest::newRow("height 0xFFFFFFFF") << 100 << 320 << -1 << false;
    QTest::newRow("width above 2^31") << 100 << qint32(0x80000000u) << 240 << false;
    QTest::newRow("absurd but positive") << 2147483647 << 2147483647 << 2147483647 << true;
}

void TestAviHeader::validity() {
    QFETCH(qint32, frames);
    QFETCH(qint32, width);
    QFETCH(qint32, height);
    QFETCH(bool, valid);
    AviFields fields;
    fields.frames = frames;
    fields.width = width;
    fields.height = height;
    const AviHeaderResult result = readBytes(makeAviBytes(fields));
    QVERIFY(result.ok());
    QCOMPARE(result.info.frameCount, frames);
    QCOMPARE(result.info.width, width);
    QCOMPARE(result.info.height, height);
    QCOMPARE(result.info.valid, valid);
}

void TestAviHeader::fourCC_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fourCC");
    QTest::addColumn<QString>("name");
    QTest::newRow("upper case shown as is") << QByteArray("MSVC") << "MSVC"
                                            << "Microsoft Video 1";
    QTest::newRow("four zero bytes")
        << QByteArray(4, '\0') << "" << QString::fromUtf8("Non compressé");
    QTest::newRow("DVSD, empty name") << QByteArray("DVSD") << "DVSD"
                                      << "";
    QTest::newRow("not in the table") << QByteArray("xvid") << "xvid"
                                      << "inconnu";
    QTest::newRow("cut at the first zero") << QByteArray("DI\0B", 4) << "DI"
                                           << "inconnu";
    QTest::newRow("trailing blank")
        << QByteArray("DIB ") << "DIB " << QString::fromUtf8("Microsoft Bitmap, non compressé");
    QTest::newRow("high bytes as Latin-1")
        << QByteArray("\xe9t\xe9s") << QString::fromUtf8("étés") << "inconnu";
}

void TestAviHeader::fourCC() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fourCC);
    QFETCH(QString, name);
    AviFields fields;
    fields.fourCC = bytes;
    const AviHeaderResult result = readBytes(makeAviBytes(fields));
    QVERIFY(result.ok());
    QCOMPARE(result.info.codecFourCC, fourCC);
    QCOMPARE(CodecName(result.info.codecFourCC), name);
}

void TestAviHeader::codecTable_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    const char* rows[][2] = {
        {"cvid", "Cinepak Codec by Radius"},
        {"IV32", "Intel Indeo Video R3.2"},
        {"msvc", "Microsoft Video 1"},
        {"CRAM", "Microsoft Video 1"},
        {"mrle", "Microsoft RLE"},
        {"Dib ", "Microsoft Bitmap, non compressé"},
        {"YVU9", "Intel Indeo Video Raw R1.1"},
        {"iv50", "Intel Video 5.04"},
        {"VDOM", "VDOnet VDOWave"},
        {"mpv4", "MS MPEG-4 Video Codec V1"},
        {"MP42", "MS MPEG-4 Video Codec V2"},
        {"i263", "Intel I.263 Video Driver 2.55.012"},
        {"IV41", "Intel Indeo Video Interactive"},
        {"div3", "DivX Mpeg4"},
        {"DIV4", "DivX Mpeg4"},
        {"div5", "?"},
        {"DivX", "DivX Codec"},
        {"dvsd", ""},
        {"", "Non compressé"},
        {"dib", "inconnu"},
        {"cvid ", "inconnu"},
        {"mjpg", "inconnu"},
        {"xvid", "inconnu"},
        {"?", "inconnu"},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0][0] ? row[0] : "(empty)")
            << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
}

void TestAviHeader::codecTable() {
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(CodecName(code), name);
}

void TestAviHeader::shortFiles_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("ok");
    QTest::newRow("empty") << 0 << false;
    QTest::newRow("before the frame count") << 51 << false;
    QTest::newRow("100 bytes") << 100 << false;
    QTest::newRow("inside the FourCC") << 114 << false;
    QTest::newRow("before the rate") << 132 << false;
    QTest::newRow("inside the rate") << 135 << false;
    QTest::newRow("just long enough") << 136 << true;
}

void TestAviHeader::shortFiles() {
    QFETCH(int, size);
    QFETCH(bool, ok);
    const AviHeaderResult result = readBytes(makeAviBytes(AviFields(), size));
    QCOMPARE(result.ok(), ok);
    if (!ok) {
        QCOMPARE(result.error, AviHeaderError::BeyondEnd);
        QCOMPARE(result.errorText, QString::fromUtf8("Lecture au-delà de la fin de fichier"));
        QVERIFY(!result.info.valid);
    } else {
        QVERIFY(result.info.valid);
        QCOMPARE(result.info.framesPerSecond, 25);
    }
}

void TestAviHeader::cannotOpen() {
    const QString missing = m_dir->filePath(QStringLiteral("missing.avi"));
    AviHeaderResult result = ReadAviHeader(missing);
    QCOMPARE(result.error, AviHeaderError::CannotOpen);
    QVERIFY(!result.errorText.isEmpty());

    const QString folder = m_dir->filePath(QStringLiteral("folder.avi"));
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(ReadAviHeader(folder).error, AviHeaderError::CannotOpen);

    // A pipe would block the preview until some writer shows up.
    const QString pipe = m_dir->filePath(QStringLiteral("pipe.avi"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QCOMPARE(ReadAviHeader(pipe).error, AviHeaderError::CannotOpen);
}

void TestAviHeader::textFileReadAtTheOffsets() {
    // No identifier is checked: the bytes at the offsets are taken for what
    // they stand for. "abcd" is 0x64636261 as a little-endian number.
    const AviHeaderResult result = readBytes(QByteArray("abcd").repeated(50));
    QVERIFY(result.ok());
    QCOMPARE(result.info.frameCount, 0x64636261);
    QCOMPARE(result.info.width, 0x64636261);
    QCOMPARE(result.info.codecFourCC, QString("abcd"));
    QVERIFY(result.info.framePeriod == 1);
    QCOMPARE(result.info.framesPerSecond, 1);
    QVERIFY(result.info.valid);
}

void TestAviHeader::samples_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint32>("frames");
    QTest::addColumn<qint32>("width");
    QTest::addColumn<qint32>("height");
    QTest::addColumn<QString>("fourCC");
    QTest::addColumn<qint32>("fps");
    QTest::addColumn<QString>("codec");

    const QString bitmap = QString::fromUtf8("Microsoft Bitmap, non compressé");
    QTest::newRow("camera clip, DIB but MJPEG")
        << "ball_segmentation_ball.avi" << true << 51 << 960 << 540 << "DIB " << 30 << bitmap;
    QTest::newRow("plot animation")
        << "DesAppliofRob_ball.avi" << true << 138 << 560 << 420 << "DIB " << 30 << bitmap;
    QTest::newRow("palettised, zero FourCC") << "maXbox4_cool.avi" << true << 13 << 60 << 39 << ""
                                             << 10 << QString::fromUtf8("Non compressé");
    QTest::newRow("headers only, 15 fps")
        << "exiftool_RIFF.avi" << true << 233 << 320 << 240 << "mjpg" << 15 << "inconnu";
    QTest::newRow("audio only") << "MediaArea_AAC_file1.avi" << false << 0 << 0 << 0 << "\x01" << 47
                                << "inconnu";
}

void TestAviHeader::samples() {
    const QString dir = traxilo::test::samplesDir();
    if (dir.isEmpty())
        QSKIP("the real sample files (shared/samples) are not on this machine");
    QFETCH(QString, file);
    QFETCH(bool, valid);
    QFETCH(qint32, frames);
    QFETCH(qint32, width);
    QFETCH(qint32, height);
    QFETCH(QString, fourCC);
    QFETCH(qint32, fps);
    QFETCH(QString, codec);

    const AviHeaderResult result = ReadAviHeader(dir + QStringLiteral("/avi/") + file);
    QVERIFY(result.ok());
    QCOMPARE(result.info.valid, valid);
    QCOMPARE(result.info.frameCount, frames);
    QCOMPARE(result.info.width, width);
    QCOMPARE(result.info.height, height);
    QCOMPARE(result.info.codecFourCC, fourCC);
    QCOMPARE(result.info.framesPerSecond, fps);
    QCOMPARE(CodecName(result.info.codecFourCC), codec);
    if (file.startsWith(QStringLiteral("ball_segmentation"))) {
        QCOMPARE(result.info.scale, 1000000);
        QCOMPARE(result.info.rate, 30000000);
        QVERIFY(std::fabs(result.info.duration - 1.7L) < 1e-15L);
    }
}

void TestAviHeader::foreignSamples_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("ZIP archive named .avi") << "fuzzcorpus_new.avi";
    QTest::newRow("MP4 named .avi") << "dos_clock.avi";
}

void TestAviHeader::foreignSamples() {
    const QString dir = traxilo::test::samplesDir();
    if (dir.isEmpty())
        QSKIP("the real sample files (shared/samples) are not on this machine");
    QFETCH(QString, file);
    // Long enough to be read, but what stands at the offsets is no AVI header.
    const AviHeaderResult result = ReadAviHeader(dir + QStringLiteral("/avi/") + file);
    QVERIFY(result.ok());
    QVERIFY(!result.info.valid);
}

QTEST_GUILESS_MAIN(TestAviHeader)
#include "avi_header.moc"
