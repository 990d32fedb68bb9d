#include "export/print_rules.h"
#include "common/number_format.h"

#include <QtTest>

using namespace traxilo;

class PrintRulesTest : public QObject {
    Q_OBJECT
private slots:
    void greyLevel_data();
    void greyLevel();
    void proposedScale_data();
    void proposedScale();
    void trackBar_data();
    void trackBar();
    void drawingPreview_data();
    void drawingPreview();
};

void PrintRulesTest::greyLevel_data() {
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("grey");
    QTest::newRow("white") << QColor(255, 255, 255) << 255;
    QTest::newRow("pure green") << QColor(0, 255, 0) << 128;
    QTest::newRow("black") << QColor(0, 0, 0) << 0;
    QTest::newRow("teal") << QColor(0, 128, 128) << 64;
}

void PrintRulesTest::greyLevel() {
    QFETCH(QColor, colour);
    QFETCH(int, grey);
    QCOMPARE(GreyLevel(colour), grey);
    QCOMPARE(printedColour(colour, PrintColours::Grey), QColor(grey, grey, grey));
    QCOMPARE(printedColour(colour, PrintColours::Black), QColor(0, 0, 0));
    QCOMPARE(printedColour(colour, PrintColours::Screen), colour);
}

void PrintRulesTest::proposedScale_data() {
    QTest::addColumn<double>("filling");
    QTest::addColumn<double>("proposed");
    QTest::newRow("0.05") << 0.05 << 0.1;
    QTest::newRow("0.5") << 0.5 << 1.0;
    QTest::newRow("3") << 3.0 << 10.0;
    // 320 x 240 pixels at 1 mm each on a 20.3 cm wide printable A4 page.
    QTest::newRow("small picture on A4") << 0.32 / 20.3 << 0.1;
    QTest::newRow("no picture") << 0.0 << 1.0;
}

void PrintRulesTest::proposedScale() {
    QFETCH(double, filling);
    QFETCH(double, proposed);
    QCOMPARE(double(traxilo::proposedScale(filling)), proposed);
}

void PrintRulesTest::trackBar_data() {
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("proposed");
    QTest::addColumn<int>("position");
    QTest::newRow("2.5 for 1") << 2.5 << 1.0 << 60;
    QTest::newRow("proposed") << 0.1 << 0.1 << 100;
    QTest::newRow("ten times") << 1.0 << 0.1 << 0;
    QTest::newRow("beyond ten times") << 50.0 << 0.1 << 0;
    QTest::newRow("a tenth") << 0.01 << 0.1 << 200;
    QTest::newRow("below a tenth") << 1e-9 << 0.1 << 200;
}

void PrintRulesTest::trackBar() {
    QFETCH(double, scale);
    QFETCH(double, proposed);
    QFETCH(int, position);
    QCOMPARE(trackBarPosition(scale, proposed), position);
    // The scale a position stands for comes back to the same position,
    // once written with three digits.
    const long double back = scaleAtPosition(position, proposed);
    QCOMPARE(trackBarPosition(*ParseNumber(FormatSci(2, back)), proposed), position);
}

void PrintRulesTest::drawingPreview_data() {
    QTest::addColumn<QSizeF>("printed");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("tooLarge");
    // The sheet: 20 x 30 cm, previewed 60 x 90.
    QTest::newRow("fits") << QSizeF(10, 15) << QSize(30, 45) << false;
    QTest::newRow("just fits") << QSizeF(20, 30) << QSize(60, 90) << false;
    QTest::newRow("a little too wide") << QSizeF(21, 10) << QSize(70, 33) << true;
    QTest::newRow("far too wide") << QSizeF(2100, 1000) << QSize(70, 33) << true;
    QTest::newRow("too high only") << QSizeF(10, 40) << QSize(25, 100) << true;
}

void PrintRulesTest::drawingPreview() {
    QFETCH(QSizeF, printed);
    QFETCH(QSize, size);
    QFETCH(bool, tooLarge);
    const DrawingPreview preview = traxilo::drawingPreview(QSize(60, 90), QSizeF(20, 30), printed);
    QCOMPARE(preview.size, size);
    QCOMPARE(preview.tooLarge, tooLarge);
}

QTEST_GUILESS_MAIN(PrintRulesTest)
#include "print_rules.moc"
