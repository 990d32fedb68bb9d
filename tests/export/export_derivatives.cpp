// The velocity and acceleration columns the text and clipboard exports add
// when asked: names, units, values at each frame's own time, and empty cells
// where the five frames around a row are not all recorded and counted.
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "export/export_table.h"
#include "export/text_export.h"

#include <QtTest>
#include <cmath>

using namespace traxilo;

namespace {

// x = 0.5 + 1.2 t, y = 2 - 4.9 t² (metres): velocities and accelerations
// known exactly, and a five-frame quadratic fit finds them.
constexpr double kVx = 1.2;
constexpr double kG = 9.8;
constexpr long double kSensitivity = 0.01L; // metres per pixel

QPointF pixelAt(double t) {
    // Origin on pixel (0, 0), y upwards: Y = -y / s.
    return {(0.5 + kVx * t) / double(kSensitivity), -(2 - kG / 2 * t * t) / double(kSensitivity)};
}

double number(const QString& cell) {
    const std::optional<long double> value = ParseNumber(cell);
    return value ? double(*value) : std::nan("");
}

} // namespace

class ExportDerivatives : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(QLatin1Char(',')); }
    void headersAndUnits();
    void valuesAtEachFramesTime_data();
    void valuesAtEachFramesTime();
};

void ExportDerivatives::headersAndUnits() {
    MeasurementDocument d;
    d.openClip({QStringLiteral("/clips/x.avi"), 3, QSize(640, 480), QString(), 0.04L, {}});
    for (int f = 0; f < 3; ++f)
        d.applyPositions({{f, 1, std::nullopt, PointPosition{QPointF(10, 10)}}}, true);
    const ExportTable table = readExportTable(d, ExportColumns::WithDerivatives);
    const QList<QByteArray> lines = writeTextFile(table, QStringLiteral("T"), u';').split('\n');
    QCOMPARE(lines.value(1), QByteArray("t;x;y;vx;vy;ax;ay\r"));
    QCOMPARE(lines.value(2), QString::fromUtf8("(s);(m);(m);(m/s);(m/s);(m/s²);(m/s²)\r").toUtf8());
    // Three frames: no five-frame window, so empty cells, never " " or "0".
    QCOMPARE(lines.value(3).count(';'), 6);
    QVERIFY(lines.value(3).endsWith(";;;;\r"));
    const QStringList clip = clipboardText(table, QString(), u'\t').split(QStringLiteral("\r\n"));
    QCOMPARE(clip.value(1), QString::fromUtf8("s\tm\tm\tm/s\tm/s\tm/s²\tm/s²"));
    QVERIFY(clip.value(2).endsWith(QStringLiteral("\t\t\t\t")));
}

void ExportDerivatives::valuesAtEachFramesTime_data() {
    QTest::addColumn<int>("origin");
    QTest::addColumn<double>("captureRate"); // 0: none
    QTest::addColumn<bool>("irregular");
    QTest::addColumn<int>("missing"); // a frame not recorded, -1: none
    // Frames whose derivatives cannot be known (beside the ends, the origin
    // and the missing frame).
    QTest::addColumn<QList<int>>("empty");
    QTest::newRow("even") << 0 << 0.0 << false << -1 << QList<int>{0, 1, 10, 11};
    QTest::newRow("origin on frame 3") << 3 << 0.0 << false << -1 << QList<int>{3, 4, 10, 11};
    QTest::newRow("slow motion") << 0 << 250.0 << false << -1 << QList<int>{0, 1, 10, 11};
    QTest::newRow("irregular times") << 0 << 0.0 << true << -1 << QList<int>{0, 1, 10, 11};
    QTest::newRow("frame 6 missing")
        << 0 << 0.0 << false << 6 << QList<int>{0, 1, 4, 5, 7, 8, 10, 11};
}

void ExportDerivatives::valuesAtEachFramesTime() {
    QFETCH(int, origin);
    QFETCH(double, captureRate);
    QFETCH(bool, irregular);
    QFETCH(int, missing);
    QFETCH(QList<int>, empty);
    constexpr int frames = 12;
    DocumentClip clip{
        QStringLiteral("/clips/x.mp4"), frames, QSize(640, 480), QString(), 0.04L, {}};
    if (irregular)
        for (int f = 0; f < frames; ++f)
            clip.times.push_back(0.04L * f + (f % 3 == 1 ? 0.013L : 0));
    MeasurementDocument d;
    d.openClip(clip);
    if (captureRate > 0)
        d.setCaptureRate(captureRate);
    d.setTimeOrigin(origin);
    Calibration c = d.calibration();
    c.Xo = 0;
    c.Yo = 0;
    c.sensitivity = kSensitivity;
    d.setCalibration(c, QStringLiteral("1"));
    d.setXyDigits(5);
    for (int f = 0; f < frames; ++f)
        if (f != missing)
            d.applyPositions({{f, 1, std::nullopt, PointPosition{pixelAt(double(d.frameTime(f)))}}},
                             true);

    const ExportTable plain = readExportTable(d);
    const ExportTable table = readExportTable(d, ExportColumns::WithDerivatives);
    QCOMPARE(table.rows.size(), plain.rows.size());
    QCOMPARE(table.columnCount(), 7);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const QStringList& row = table.rows[r];
        QCOMPARE(row.mid(0, 3), plain.rows[r]); // the positions are as without
        const int frame = origin + int(r) + (missing >= 0 && origin + int(r) >= missing ? 1 : 0);
        const double t = double(d.frameTime(frame));
        if (empty.contains(frame)) {
            QCOMPARE(row.mid(3), QStringList(4, QString()));
            continue;
        }
        // No rounding residue where the acceleration is zero.
        QCOMPARE(row[5], FormatSci(4, 0));
        const double expected[4] = {kVx, -kG * t, 0, -kG};
        for (int c = 0; c < 4; ++c)
            QVERIFY2(std::fabs(number(row[3 + c]) - expected[c]) <=
                         1e-4 * (1 + std::fabs(expected[c])),
                     qPrintable(QStringLiteral("frame %1 %2 = %3, expected %4")
                                    .arg(frame)
                                    .arg(table.names[3 + c], row[3 + c])
                                    .arg(expected[c])));
    }
}

QTEST_GUILESS_MAIN(ExportDerivatives)
#include "export_derivatives.moc"
