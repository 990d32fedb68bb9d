// The pointer's cursor rule, the mark size's bounds and the quick
// configurations' palettes.
#include "pointing/point_style.h"
#include "pointing/style_table.h"

#include <QtTest>

using namespace traxilo;

class PointStyleTest : public QObject {
    Q_OBJECT
private slots:
    void cursorRule_data();
    void cursorRule();
    void quickConfigurations_data();
    void quickConfigurations();
};

void PointStyleTest::cursorRule_data() {
    QTest::addColumn<int>("inUse");
    QTest::addColumn<int>("colourChoice");
    QTest::addColumn<int>("shapeChoice");
    QTest::addColumn<bool>("shapeEnabled");
    QTest::addColumn<int>("cursor");
    QTest::newRow("start: small black target") << 102 << 0 << 1 << true << 102;
    QTest::newRow("white cross") << 102 << 1 << 2 << true << 203;
    QTest::newRow("origin cursor turns white") << 111 << 1 << 2 << false << 211;
    QTest::newRow("scale point cursor turns black") << 242 << 0 << 0 << false << 142;
}

void PointStyleTest::cursorRule() {
    QFETCH(int, inUse);
    QFETCH(int, colourChoice);
    QFETCH(int, shapeChoice);
    QFETCH(bool, shapeEnabled);
    QFETCH(int, cursor);
    PointStyle style;
    style.colourChoice = colourChoice;
    style.shapeChoice = shapeChoice;
    style.shapeChoiceEnabled = shapeEnabled;
    QCOMPARE(style.Curseur(inUse), cursor);
    QCOMPARE(style.cursorNumber(), cursor);
    // Back in pointing mode the chosen shape returns, in the same colour.
    QCOMPARE(style.pointingCursor(), (colourChoice + 1) * 100 + shapeChoice + 1);
}

void PointStyleTest::quickConfigurations_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<QList<long>>("colours"); // stored values of points 1..n
    QTest::newRow("light, 9 points: 8 and 9 the same teal")
        << 9 << QList<long>{255, 16711680, 16384, 128, 32896, 8388608, 8388736, 8421376, 8421376};
    QTest::newRow("dark, 3 points") << 23 << QList<long>{65535, 16776960, 65280};
    QTest::newRow("dark, 9 points: 4 and 9 the same silver")
        << 29 << QList<long>{65535, 16776960, 65280,    12632256, 16777215,
                             30719, 7864319,  16742399, 12632256};
    QTest::newRow("no such item") << 15 << QList<long>{};
}

void PointStyleTest::quickConfigurations() {
    QFETCH(int, tag);
    QFETCH(QList<long>, colours);
    const std::optional<QuickConfiguration> configuration = quickConfiguration(tag);
    QCOMPARE(configuration.has_value(), !colours.isEmpty());
    if (!configuration) {
        return;
    }
    PointStyles before;
    before.point(1).shape = 2;
    before.point(1).drawn = false;
    before.point(9).colour = Qt::green;
    const PointStyles style = applyQuickConfiguration(before, *configuration);
    for (int c = 1; c <= colours.size(); ++c) {
        QCOMPARE(colourValue(style.point(c).colour), colours.at(c - 1));
    }
    // Shapes, drawn flags and the points beyond are not the configuration's business.
    QCOMPARE(style.point(1).shape, 2);
    QVERIFY(!style.point(1).drawn);
    if (colours.size() < 9)
        QCOMPARE(style.point(9).colour, QColor(Qt::green));
}

QTEST_APPLESS_MAIN(PointStyleTest)
#include "point_style.moc"
