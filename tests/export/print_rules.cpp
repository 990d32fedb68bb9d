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
    QTest::addColumn<double>("realWidthM");
    QTest::addColumn<double>("realHeightM");
    QTest::addColumn<double>("proposed");
    QTest::addColumn<double>("printedWidthCm");
    // On a printable A4 portrait page of 20 x 28.7 cm; a centimetre is left
    // under the picture for the caption. The scale is the 1-2-5 step at
    // which the picture comes nearest to filling the width.
    QTest::newRow("DV, 2.2 m wide") << 2.2 << 1.65 << 0.2 << 11.0;
    QTest::newRow("320 x 240 at 1 mm") << 0.32 << 0.24 << 0.02 << 16.0;
    QTest::newRow("exactly one step") << 4.0 << 3.0 << 0.2 << 20.0;
    QTest::newRow("just above a step") << 4.01 << 3.0 << 0.5 << 8.02;
    QTest::newRow("a 5 step") << 7.0 << 3.0 << 0.5 << 14.0;
    QTest::newRow("to the next decade") << 12.0 << 1.0 << 1.0 << 12.0;
    QTest::newRow("portrait: the height decides") << 1.08 << 1.92 << 0.1 << 10.8;
    QTest::newRow("no picture") << 0.0 << 0.0 << 1.0 << 0.0;
}

void PrintRulesTest::proposedScale() {
    QFETCH(double, realWidthM);
    QFETCH(double, realHeightM);
    QFETCH(double, proposed);
    QFETCH(double, printedWidthCm);
    const long double scale =
        traxilo::proposedScale(fillingScale(QSizeF(realWidthM, realHeightM), QSizeF(20, 28.7)));
    QCOMPARE(FormatSci(2, scale), FormatSci(2, proposed));
    QVERIFY(qAbs(double(realWidthM / scale) - printedWidthCm) < 1e-9);
    QVERIFY(realWidthM / scale <= 20 + 1e-9 && realHeightM / scale <= 27.7 + 1e-9);
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
