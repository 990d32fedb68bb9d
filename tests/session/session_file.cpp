// Session files keep the document: positions to the fraction of a pixel with
// their automatic flag, and files of the earlier format still open.
#include "session/session_file.h"
#include "document/measurement_document.h"
#include "session/document_session.h"

#include <QFile>
#include <QUndoStack>
#include <QtTest>

using namespace traxilo;

namespace {

DocumentClip clipOf(const SessionData& s) {
    return {s.clipPath, s.frameCount, s.pictureSize, s.codec, 0.04L, {}};
}

} // namespace

class SessionFileTest : public QObject {
    Q_OBJECT
private slots:
    void roundTripKeepsEveryPosition();
    void firstFormatIsConverted();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void refusalsSayWhy_data();
    void refusalsSayWhy();
};

void SessionFileTest::roundTripKeepsEveryPosition() {
    MeasurementDocument d;
    d.openClip({QStringLiteral("/clips/throw.mp4"),
                50,
                QSize(1080, 1920),
                QStringLiteral("avc1"),
                1 / 30.0L,
                {}});
    d.setPointsPerFrame(2);
    d.setCaptureRate(240.0L);
    d.setXyDigits(5);
    Calibration c = d.calibration();
    c.Xo = 10.5;
    c.p1 = QPointF(3.25, 4);
    c.p2 = QPointF(803.75, 4);
    c.sensitivity = 1.0L / 800.5L;
    d.setCalibration(c, QStringLiteral("1"));
    d.applyPositions({{3, 1, std::nullopt, PointPosition{QPointF(100.25, 50.75), true}},
                      {4, 2, std::nullopt, PointPosition{QPointF(1, 2), false}}},
                     true);
    d.setTimeOrigin(2);
    const SessionData written = sessionOf(d, {150, 4, 2, 3});
    const SessionReadResult read =
        readSession(writeSession(written, QStringLiteral("/clips/throw.trx")));
    QVERIFY2(read.session, qPrintable(read.error));
    QCOMPARE(read.session->clipRelativePath, QStringLiteral("throw.mp4"));

    MeasurementDocument back;
    back.openClip(clipOf(*read.session));
    restoreSession(back, *read.session);
    QCOMPARE(back.position(3, 1), d.position(3, 1));
    QCOMPARE(back.position(4, 2), d.position(4, 2));
    QCOMPARE(back.calibration().sensitivity, c.sensitivity);
    QCOMPARE(back.xText(3, 1), d.xText(3, 1));
    QCOMPARE(back.yText(3, 1), d.yText(3, 1));
    QCOMPARE(back.timeText(4), d.timeText(4));
    QCOMPARE(back.captureRate(), d.captureRate());
    QCOMPARE(viewOf(*read.session).displayPercent, 150);
    QVERIFY(!back.undoStack()->canUndo());
}

void SessionFileTest::firstFormatIsConverted() {
    // Written by the program before positions became picture pixels: the
    // clip shown at 200 %, whole pixels of that display.
    QFile file(QStringLiteral(TRAXILO_TEST_DATA_DIR "/session/v1_display200.trx"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const SessionReadResult read = readSession(file.readAll());
    QVERIFY2(read.session, qPrintable(read.error));
    MeasurementDocument d;
    d.openClip(clipOf(*read.session));
    restoreSession(d, *read.session);
    QCOMPARE(d.calibration().Xo, 10.0);
    QCOMPARE(d.calibration().p2, QPointF(50, 225));
    QCOMPARE(d.position(2, 1)->pixel, QPointF(60, 50));
    QCOMPARE(d.position(2, 2)->pixel, QPointF(150, 40));
    // A position whose y had been erased was never part of any export.
    QVERIFY(!d.position(4, 1));
    QCOMPARE(d.positionCount(), 3);
    // The lengths are those the first program showed: 100 x 0.0025 m, 360 x 0.0025 m.
    QCOMPARE(d.xText(2, 1), QStringLiteral(" 2.500E-1"));
    QCOMPARE(d.yText(2, 1), QStringLiteral(" 9.000E-1"));
    QCOMPARE(d.timeOrigin(), 2);
    QCOMPARE(d.styles().point(1).colour, QColor(255, 0, 0));
    QVERIFY(!d.styles().point(2).drawn);
    QCOMPARE(d.markSize(), 2);
}

void SessionFileTest::damagedFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("replace");
    QTest::addColumn<QByteArray>("with");
    QTest::newRow("newer format") << QByteArray("\"version\": 1") << QByteArray("\"version\": 9");
    QTest::newRow("frame past the clip")
        << QByteArray("            2,\n            1,\n            120")
        << QByteArray("            40,\n            1,\n            120");
    QTest::newRow("point past the points per frame")
        << QByteArray("            2,\n            2,")
        << QByteArray("            2,\n            3,");
    QTest::newRow("position not a number")
        << QByteArray("            300,") << QByteArray("            \"300\",");
}

void SessionFileTest::damagedFilesAreRefused() {
    QFETCH(QByteArray, replace);
    QFETCH(QByteArray, with);
    QFile file(QStringLiteral(TRAXILO_TEST_DATA_DIR "/session/v1_display200.trx"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains(replace));
    bytes.replace(replace, with);
    const SessionReadResult read = readSession(bytes);
    QVERIFY(!read.session);
    QVERIFY(!read.error.isEmpty());
}

void SessionFileTest::refusalsSayWhy_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QFile file(QStringLiteral(TRAXILO_TEST_DATA_DIR "/session/v1_display200.trx"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray absurd = file.readAll();
    absurd.replace("\"pointsPerFrame\": 2", "\"pointsPerFrame\": 12");
    QTest::newRow("empty") << QByteArray() << "n'est pas une session";
    QTest::newRow("another program's JSON")
        << QByteArray("{\"name\": \"x\", \"version\": 1}") << "n'est pas une session";
    QTest::newRow("absurd value") << absurd << "pointsPerFrame";
}

void SessionFileTest::refusalsSayWhy() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const SessionReadResult read = readSession(bytes);
    QVERIFY(!read.session);
    QVERIFY2(read.error.contains(reason), qPrintable(read.error));
}

QTEST_GUILESS_MAIN(SessionFileTest)
#include "session_file.moc"
