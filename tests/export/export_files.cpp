// The file and clipboard writers against golden files, byte for byte.
//
// To change a golden file on purpose: run
//     TRAXILO_UPDATE_GOLDEN=1 build/bin/tests/test_export_files
// which rewrites tests/data/export/ from the writers, read the diff
// (`git diff --text tests/data/export`), and commit it with the change.
#include "common/number_format.h"
#include "export/export_table.h"
#include "export/regressi_writer.h"
#include "export/text_export.h"
#include "pointing/grid_routines.h"

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

// The two grids of a clip of `frames` frames at 25 frames per second, with
// `points` per frame, cells written as pointing writes them under `separator`.
struct Tables {
    TextGrid pixels;
    TextGrid values;
    int timeOrigin = 1;
};

Tables makeTables(int frames, int points, int timeOrigin, QChar separator,
                  const std::vector<Point>& recorded) {
    setDecimalSeparator(separator);
    Tables t;
    t.timeOrigin = timeOrigin;
    for (TextGrid* grid : {&t.pixels, &t.values}) {
        SetGridSize(*grid, 2 * points + 1, frames + 1);
        WriteXYHeaders(*grid, grid == &t.values ? QStringLiteral("(m)") : QString(), points);
    }
    t.pixels.setCell(0, 0, QStringLiteral("t"));
    t.values.setCell(0, 0, QStringLiteral("t(s)"));
    for (int row = timeOrigin; row <= frames; ++row)
        t.values.setCell(0, row, FormatTime(TimePattern(3), (row - timeOrigin) * 0.04L));
    for (const Point& p : recorded) {
        t.pixels.setCell(2 * p.k - 1, p.row, QString::number(p.row * 10));
        t.pixels.setCell(2 * p.k, p.row, QString::number(p.row * 5));
        t.values.setCell(2 * p.k - 1, p.row, FormatSci(2, p.x));
        t.values.setCell(2 * p.k, p.row, FormatSci(2, p.y));
    }
    return t;
}

ExportTable read(const Tables& t) {
    return readExportTable(t.pixels, t.values, t.timeOrigin);
}

// Three complete rows of five, with negative values.
Tables onePoint(QChar separator) {
    return makeTables(5, 1, 1, separator,
                      {{1, 1, 0.1234, -0.05678}, {2, 1, 0.2, -0.1}, {3, 1, 1.5e-3, 0}});
}

Tables originOnRow5(QChar separator) {
    std::vector<Point> all;
    for (int row = 1; row <= 8; ++row)
        all.push_back({row, 1, row * 0.01, -row * 0.02});
    return makeTables(8, 1, 5, separator, all);
}

// Point 2 missing on row 3.
Tables twoPoints(QChar separator) {
    std::vector<Point> all;
    for (int row = 1; row <= 4; ++row) {
        all.push_back({row, 1, row * 0.1, row * 0.2});
        if (row != 3)
            all.push_back({row, 2, -row * 0.3, 12.5});
    }
    return makeTables(4, 2, 1, separator, all);
}

Tables emptyTable(QChar separator) {
    return makeTables(3, 1, 1, separator, {});
}

// Points on the first three rows, the time origin on row 6.
Tables originPastThePoints(QChar separator) {
    return makeTables(8, 1, 6, separator, {{1, 1, 0.1, 0.2}, {2, 1, 0.2, 0.3}, {3, 1, 0.3, 0.4}});
}

Tables ninePoints(QChar separator) {
    std::vector<Point> all;
    for (int row = 1; row <= 2; ++row)
        for (int k = 1; k <= 9; ++k)
            all.push_back({row, k, k * 0.01, -row * 1.0});
    return makeTables(2, 9, 1, separator, all);
}

using TableMaker = std::function<Tables(QChar)>;

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
    const ExportTable table = read(make(separator));
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
    const ExportTable withComma = read(make(u','));
    const ExportTable withPoint = read(make(u'.'));
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
    const ExportTable table = read(onePoint(u','));
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
    Tables tables = twoPoints(u',');
    tables.values.setCell(1, 2, QStringLiteral(" 2, 00E -1")); // blanks inside go
    const ExportTable table = read(tables);
    compareGolden(clipboardText(table, title, separatorFor(separatorItem)).toUtf8(), golden);
}

QTEST_GUILESS_MAIN(ExportFiles)
#include "export_files.moc"
