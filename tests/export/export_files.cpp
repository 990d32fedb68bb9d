// The file and clipboard writers against golden files, byte for byte.
//
// To change a golden file on purpose: run
//     TRAXILO_UPDATE_GOLDEN=1 build/bin/tests/test_export_files
// which rewrites tests/data/export/ from the writers, read the diff
// (`git diff --text tests/data/export`), and commit it with the change.
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "export/export_table.h"
#include "export/regressi_writer.h"
#include "export/text_export.h"

#include <QFile>
#include <QtTest>
#include <functional>

using namespace traxilo;

namespace {

struct Point {
    int row;
    int k;
    double x;
    double y;
};

// The measurements of a clip of `frames` frames at 25 frames per second, with
// `points` per frame, read for export under `separator`. One pixel is one
// metre from an origin in the corner, so the positions are the values.
ExportTable makeTables(int frames, int points, int timeOrigin, QChar separator,
                       const std::vector<Point>& recorded) {
    setDecimalSeparator(separator);
    MeasurementDocument d;
    d.openClip({QStringLiteral("/clips/x.avi"), frames, QSize(640, 480), QString(), 0.04L, {}});
    d.setPointsPerFrame(points);
    d.setTimeOrigin(timeOrigin - 1);
    Calibration c;
    c.Xo = 0;
    c.Yo = 0;
    c.sensitivity = 1;
    d.setCalibration(c, QStringLiteral("1"));
    for (const Point& p : recorded)
        d.applyPositions({{p.row - 1, p.k, std::nullopt, PointPosition{QPointF(p.x, -p.y)}}}, true);
    return readExportTable(d);
}

// Three complete rows of five, with negative values.
ExportTable onePoint(QChar separator) {
    return makeTables(5, 1, 1, separator,
                      {{1, 1, 0.1234, -0.05678}, {2, 1, 0.2, -0.1}, {3, 1, 1.5e-3, 0}});
}

ExportTable originOnRow5(QChar separator) {
    std::vector<Point> all;
    for (int row = 1; row <= 8; ++row)
        all.push_back({row, 1, row * 0.01, -row * 0.02});
    return makeTables(8, 1, 5, separator, all);
}

// Point 2 missing on row 3.
ExportTable twoPoints(QChar separator) {
    std::vector<Point> all;
    for (int row = 1; row <= 4; ++row) {
        all.push_back({row, 1, row * 0.1, row * 0.2});
        if (row != 3)
            all.push_back({row, 2, -row * 0.3, 12.5});
    }
    return makeTables(4, 2, 1, separator, all);
}

ExportTable emptyTable(QChar separator) {
    return makeTables(3, 1, 1, separator, {});
}

// Points on the first three rows, the time origin on row 6.
ExportTable originPastThePoints(QChar separator) {
    return makeTables(8, 1, 6, separator, {{1, 1, 0.1, 0.2}, {2, 1, 0.2, 0.3}, {3, 1, 0.3, 0.4}});
}

ExportTable ninePoints(QChar separator) {
    std::vector<Point> all;
    for (int row = 1; row <= 2; ++row)
        for (int k = 1; k <= 9; ++k)
            all.push_back({row, k, k * 0.01, -row * 1.0});
    return makeTables(2, 9, 1, separator, all);
}

using TableMaker = std::function<ExportTable(QChar)>;

QString goldenPath(const QString& name) {
    return QStringLiteral(TRAXILO_TEST_DATA_DIR "/export/") + name;
}

// Compares with the golden file, or rewrites it when asked to.
void compareGolden(const QByteArray& actual, const QString& name) {
    QFile golden(goldenPath(name));
    if (qEnvironmentVariableIsSet("TRAXILO_UPDATE_GOLDEN")) {
        QVERIFY(golden.open(QIODevice::WriteOnly));
        golden.write(actual);
        return;
    }
    QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(name + " is missing"));
    const QByteArray expected = golden.readAll();
    if (actual != expected) {
        const QList<QByteArray> a = actual.split('\n');
        const QList<QByteArray> e = expected.split('\n');
        for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
            QVERIFY2(a.value(i) == e.value(i),
                     qPrintable(QStringLiteral("%1 line %2: \"%3\" instead of \"%4\"")
                                    .arg(name)
                                    .arg(i + 1)
                                    .arg(QString::fromLatin1(a.value(i).toPercentEncoding(" ")),
                                         QString::fromLatin1(e.value(i).toPercentEncoding(" ")))));
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(TableMaker)

class ExportFiles : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setDecimalSeparator(u'.'); }
    void regressiFiles_data();
    void regressiFiles();
    void bothSeparatorsGiveTheSameRegressiFile_data();
    void bothSeparatorsGiveTheSameRegressiFile();
    void textFiles_data();
    void textFiles();
    void clipboardTexts_data();
    void clipboardTexts();
    void subPixelPositionsReachTheFiles();
};

void ExportFiles::regressiFiles_data() {
    QTest::addColumn<TableMaker>("make");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("golden");
    const QChar comma = u',';
    const QChar point = u'.';
    QTest::newRow("one point rw3") << TableMaker(onePoint) << comma << "one_point.rw3";
    QTest::newRow("one point rrr") << TableMaker(onePoint) << comma << "one_point.rrr";
    QTest::newRow("origin row 5 rw3") << TableMaker(originOnRow5) << point << "origin_row5.rw3";
    QTest::newRow("origin row 5 rrr") << TableMaker(originOnRow5) << point << "origin_row5.rrr";
    QTest::newRow("two points rw3") << TableMaker(twoPoints) << point << "two_points.rw3";
    QTest::newRow("two points rrr") << TableMaker(twoPoints) << point << "two_points.rrr";
    QTest::newRow("empty rw3") << TableMaker(emptyTable) << point << "empty.rw3";
    QTest::newRow("empty rrr") << TableMaker(emptyTable) << point << "empty.rrr";
    QTest::newRow("origin past the points")
        << TableMaker(originPastThePoints) << point << "empty.rw3";
    QTest::newRow("nine points rw3") << TableMaker(ninePoints) << comma << "nine_points.rw3";
}

void ExportFiles::regressiFiles() {
    QFETCH(TableMaker, make);
    QFETCH(QChar, separator);
    QFETCH(QString, golden);
    const ExportTable table = make(separator);
    const QByteArray bytes = golden.endsWith(QLatin1String("rw3")) ? writeRw3(table, separator)
                                                                   : writeRrr(table, separator);
    compareGolden(bytes, golden);
}

void ExportFiles::bothSeparatorsGiveTheSameRegressiFile_data() {
    QTest::addColumn<TableMaker>("make");
    QTest::newRow("one point") << TableMaker(onePoint);
    QTest::newRow("two points") << TableMaker(twoPoints);
}

void ExportFiles::bothSeparatorsGiveTheSameRegressiFile() {
    QFETCH(TableMaker, make);
    const ExportTable withComma = make(u',');
    const ExportTable withPoint = make(u'.');
    QVERIFY(withComma.rows.front().at(1).contains(u','));
    QCOMPARE(writeRw3(withComma, u','), writeRw3(withPoint, u'.'));
    QCOMPARE(writeRrr(withComma, u','), writeRrr(withPoint, u'.'));

    // A pasted value with the other separator still reaches the reader as a number.
    QStringList mixed = withPoint.rows.front();
    mixed[1].replace(u'.', u',');
    QCOMPARE(regressiDataLine(mixed, u'.'), regressiDataLine(withPoint.rows.front(), u'.'));
}

void ExportFiles::textFiles_data() {
    QTest::addColumn<int>("separatorItem");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("golden");
    QTest::newRow("tab") << 0 << "Pointages Traxilo"
                         << "one_point_tab.txt";
    QTest::newRow("semicolon") << 1 << "Chute libre — élève"
                               << "one_point_semicolon.txt";
    QTest::newRow("comma") << 2 << "Pointages Traxilo"
                           << "one_point_comma.txt";
    QTest::newRow("space, no title") << 3 << ""
                                     << "one_point_space.txt";
}

void ExportFiles::textFiles() {
    QFETCH(int, separatorItem);
    QFETCH(QString, title);
    QFETCH(QString, golden);
    const ExportTable table = onePoint(u',');
    compareGolden(writeTextFile(table, title, separatorFor(separatorItem)), golden);
}

void ExportFiles::clipboardTexts_data() {
    QTest::addColumn<int>("separatorItem");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("golden");
    QTest::newRow("tab") << 0 << "Pointages Traxilo"
                         << "clipboard_tab.txt";
    QTest::newRow("space, no title") << 3 << ""
                                     << "clipboard_space.txt";
}

void ExportFiles::clipboardTexts() {
    QFETCH(int, separatorItem);
    QFETCH(QString, title);
    QFETCH(QString, golden);
    ExportTable table = twoPoints(u',');
    table.rows[1][1] = QStringLiteral(" 2, 00E -1"); // blanks inside go
    compareGolden(clipboardText(table, title, separatorFor(separatorItem)).toUtf8(), golden);
}

void ExportFiles::subPixelPositionsReachTheFiles() {
    MeasurementDocument d;
    d.openClip({QStringLiteral("/clips/x.mp4"), 3, QSize(640, 480), QString(), 0.04L, {}});
    Calibration c;
    c.Xo = 0;
    c.Yo = 100;
    c.sensitivity = 0.01L;
    d.setCalibration(c, QStringLiteral("1"));
    d.setXyDigits(5);
    d.applyPositions({{1, 1, std::nullopt, PointPosition{QPointF(100.25, 50.75)}}}, true);
    const ExportTable table = readExportTable(d);
    QCOMPARE(table.rows.size(), size_t(1));
    QCOMPARE(table.rows[0], (QStringList{"0.040", " 1.0025E+0", " 4.9250E-1"}));
    QVERIFY(writeRw3(table, u'.').contains("1.0025E+0 4.9250E-1"));
    QVERIFY(writeTextFile(table, QString(), separatorFor(0)).contains("1.0025E+0\t4.9250E-1"));
}

QTEST_GUILESS_MAIN(ExportFiles)
#include "export_files.moc"
