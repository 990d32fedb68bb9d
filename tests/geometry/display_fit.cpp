// The display size's computations: the fitted percent, the picture's size,
// the largest percent of a clip, the held arrow's steps, a typed percent and
// what "OK" decides.
#include "geometry/display_size.h"

#include <QtTest>

using namespace traxilo;

class DisplayFitTest : public QObject {
    Q_OBJECT
private slots:
    void fitPercent_data();
    void fitPercent();
    void displayedSizeRoundsHalvesToEven_data();
    void displayedSizeRoundsHalvesToEven();
    void heldArrowSpeedsUp();
    void typedPercent_data();
    void typedPercent();
    void okDecides_data();
    void okDecides();
};

void DisplayFitTest::fitPercent_data() {
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("clip");
    QTest::addColumn<int>("percent");
    QTest::newRow("both ways twice") << QSize(509, 409) << QSize(250, 200) << 200;
    QTest::newRow("height is tighter") << QSize(1009, 209) << QSize(250, 200) << 100;
    QTest::newRow("width is tighter") << QSize(134, 1000) << QSize(250, 200) << 50;
    QTest::newRow("rounded up past the area: one less")
        << QSize(795, 1000) << QSize(640, 480) << 122;
    QTest::newRow("tiny window: not below 10") << QSize(12, 12) << QSize(320, 240) << 10;
    QTest::newRow("no room at all") << QSize(0, 0) << QSize(320, 240) << 10;
    QTest::newRow("huge window: capped at 400") << QSize(4000, 3000) << QSize(160, 120) << 400;
    QTest::newRow("big clip: capped below 400")
        << QSize(9000, 9000) << QSize(1920, 1080) << maxDisplayPercent(QSize(1920, 1080));
}

void DisplayFitTest::fitPercent() {
    QFETCH(QSize, area);
    QFETCH(QSize, clip);
    QFETCH(int, percent);
    QCOMPARE(traxilo::fitPercent(area, clip, maxDisplayPercent(clip)), percent);
}

void DisplayFitTest::displayedSizeRoundsHalvesToEven_data() {
    QTest::addColumn<QSize>("clip");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("200 %") << QSize(320, 240) << 200 << QSize(640, 480);
    QTest::newRow("2.5 down, 3.5 up") << QSize(5, 7) << 50 << QSize(2, 4);
    QTest::newRow("never below a pixel") << QSize(3, 3) << 10 << QSize(1, 1);
}

void DisplayFitTest::displayedSizeRoundsHalvesToEven() {
    QFETCH(QSize, clip);
    QFETCH(int, percent);
    QFETCH(QSize, shown);
    QCOMPARE(displayedSize(clip, percent / 100.0L), shown);
    // A big picture stays within the memory it may take.
    const QSize largest =
        displayedSize(QSize(3840, 2160), maxDisplayPercent({3840, 2160}) / 100.0L);
    QVERIFY((long long)largest.width() * largest.height() <= kMaxDisplayPixels);
    QCOMPARE(maxDisplayPercent(QSize(320, 240)), 400);
}

void DisplayFitTest::heldArrowSpeedsUp() {
    int step = 1;
    QList<int> steps;
    for (int tick = 0; tick < 6; ++tick) {
        step = nextHeldStep(step);
        steps << step;
    }
    QCOMPARE(steps, (QList<int>{6, 11, 16, 20, 20, 20}));
}

void DisplayFitTest::typedPercent_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("percent"); // -1: not a percent
    QTest::newRow("digits") << "150" << 150;
    QTest::newRow("blanks and sign") << " 150 % " << 150;
    QTest::newRow("decimal comma") << "150,4" << 150;
    QTest::newRow("decimal point, half to even") << "150.5" << 150;
    QTest::newRow("past the top") << "1000" << 400;
    QTest::newRow("below the bottom") << "5" << 10;
    QTest::newRow("negative") << "-50" << 10;
    QTest::newRow("letters") << "abc" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("only the sign") << "%" << -1;
}

void DisplayFitTest::typedPercent() {
    QFETCH(QString, text);
    QFETCH(int, percent);
    const std::optional<int> parsed = parsePercent(text, 400);
    QCOMPARE(parsed.value_or(-1), percent);
}

void DisplayFitTest::okDecides_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("resetTo100");
    QTest::addColumn<bool>("adapt");
    QTest::addColumn<int>("outcome");
    // The confirmed percent is 100 in every row.
    QTest::newRow("new percent") << 150 << false << false << int(DisplaySizeOk::Apply);
    QTest::newRow("same percent") << 100 << false << false << int(DisplaySizeOk::Nothing);
    QTest::newRow("same, fitted") << 100 << false << true << int(DisplaySizeOk::MovePanelOnly);
    QTest::newRow("100% command at 100") << 100 << true << false << int(DisplaySizeOk::Apply);
}

void DisplayFitTest::okDecides() {
    QFETCH(int, position);
    QFETCH(bool, resetTo100);
    QFETCH(bool, adapt);
    QFETCH(int, outcome);
    QCOMPARE(int(displaySizeOk(position, 100, resetTo100, adapt)), outcome);
}

QTEST_APPLESS_MAIN(DisplayFitTest)
#include "display_fit.moc"
