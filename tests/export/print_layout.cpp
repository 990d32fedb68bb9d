// The printed page in printer dots: 1 cm grid through the origin, marks
// where the pixels say, the caption, and the page drawn on a picture.
#include "export/print_layout.h"
#include "common/number_format.h"
#include "pointing/style_table.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>

using namespace traxilo;

namespace {

constexpr double kDotsPerCm = 300 / 2.54; // at 300 dots per inch

struct Setup {
    std::vector<PointMark> marks;
    PointStyles styles;
    Calibration calibration;
    PageInput input;
    PageLayout layout() const { return layoutPage(marks, styles, calibration, input); }
};

// A 320 x 240 picture at 1 mm per pixel, 10 frames, printed at 300 dpi on
// an A4 printable area.
void prepare(Setup& s) {
    s.calibration.sensitivity = 0.001L;
    s.calibration.Xo = 40;
    s.calibration.Yo = 200;
    s.input.picture = QSize(320, 240);
    s.input.markSize = 2;
    s.input.dpi = QSize(300, 300);
    s.input.page = QSize(2398, 3390);
    s.input.settings.scale = 0.01L; // 1 mm per pixel shown 1 mm per pixel on paper
}

void record(Setup& s, int row, int point, int x, int y) {
    s.marks.push_back({row - 1, point, QPointF(x, y)});
}

} // namespace

class PrintLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void gridThroughOrigin_data();
    void gridThroughOrigin();
    void marks_data();
    void marks();
    void caption();
    void anyScaleStaysBounded();
    void renderedPage();
};

void PrintLayoutTest::gridThroughOrigin_data() {
    QTest::addColumn<int>("xo");
    QTest::addColumn<int>("yo");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("firstRow"); // dots from the top edge
    QTest::addColumn<int>("rows");
    // 0.1 cm per pixel: the origin 2.5 cm below the top edge puts the first
    // line 0.5 cm below it.
    QTest::newRow("origin 2.5 cm down") << 40 << 25 << 0.01 << 59 << 23 + 1;
    QTest::newRow("origin bottom-left") << 0 << 239 << 0.01 << 106 << 23 + 1;
    QTest::newRow("origin on the top edge") << 100 << 0 << 0.01 << 0 << 24 + 1;
    QTest::newRow("smaller scale") << 160 << 120 << 0.1 << 24 << 2 + 1;
}

void PrintLayoutTest::gridThroughOrigin() {
    QFETCH(int, xo);
    QFETCH(int, yo);
    QFETCH(double, scale);
    QFETCH(int, firstRow);
    QFETCH(int, rows);
    Setup s;
    prepare(s);
    s.calibration.Xo = xo;
    s.calibration.Yo = yo;
    s.input.settings.scale = scale;
    const PageLayout page = s.layout();

    const QPoint origin(int(std::lround(xo * page.dotsPerPixelX)),
                        int(std::lround(yo * page.dotsPerPixelY)));
    QCOMPARE(page.gridRows.front(), firstRow);
    QCOMPARE(int(page.gridRows.size()), rows);
    QVERIFY(std::count(page.gridRows.begin(), page.gridRows.end(), origin.y()) == 1);
    QVERIFY(std::count(page.gridColumns.begin(), page.gridColumns.end(), origin.x()) == 1);
    for (const std::vector<int>* lines : {&page.gridRows, &page.gridColumns}) {
        // Lines 1 cm apart, to the nearest dot.
        for (size_t i = 1; i < lines->size(); ++i) {
            const int gap = (*lines)[i] - (*lines)[i - 1];
            QVERIFY2(gap == int(kDotsPerCm) || gap == int(kDotsPerCm) + 1,
                     qPrintable(QString::number(gap)));
        }
        QVERIFY(lines->front() >= 0 && lines->front() < kDotsPerCm + 1);
    }
    QVERIFY(page.gridRows.back() <= page.drawing.height());
    QVERIFY(page.gridColumns.back() <= page.drawing.width());
    QCOMPARE(page.gridColour, QColor(127, 127, 127));
}

void PrintLayoutTest::marks_data() {
    QTest::addColumn<int>("colours");
    QTest::addColumn<bool>("fromTimeOrigin");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("screen colours, all") << 0 << false << QColor(0, 255, 0);
    QTest::newRow("grey, from t=0") << 1 << true << QColor(128, 128, 128);
    QTest::newRow("black, from t=0") << 2 << true << QColor(0, 0, 0);
}

void PrintLayoutTest::marks() {
    QFETCH(int, colours);
    QFETCH(bool, fromTimeOrigin);
    QFETCH(QColor, expected);
    Setup s;
    prepare(s);
    s.styles.point(1) = {QColor(0, 255, 0), true, 2};
    s.styles.axes.colour = QColor(255, 0, 0);
    s.input.timeOrigin = 4;
    for (int row = 1; row <= 8; ++row) {
        if (row != 7)
            record(s, row, 1, 10 * row, 100 + row);
        if (row == 6)
            record(s, 6, 2, 300, 20);
    }
    s.styles.point(2).drawn = false; // point 2 hidden
    s.input.settings.colours = PrintColours(colours);
    s.input.settings.fromTimeOrigin = fromTimeOrigin;
    const PageLayout page = s.layout();

    std::vector<PageMark> expectedMarks;
    const double d = 0.001 / 0.01 * kDotsPerCm; // dots per pixel
    const int radius = int(std::lround(2 * d));
    for (int row = fromTimeOrigin ? 5 : 1; row <= 8; ++row) {
        if (row == 7)
            continue;
        expectedMarks.push_back(
            {QPoint(int(std::lround(10 * row * d)), int(std::lround((100 + row) * d))), radius, 2,
             expected, std::nullopt});
    }
    QCOMPARE(page.marks, expectedMarks);
    QVERIFY(page.axes.has_value());
    QCOMPARE(page.axes->colour, colours == 0   ? QColor(255, 0, 0)
                                : colours == 1 ? QColor(128, 128, 128)
                                               : QColor(0, 0, 0));
    QCOMPARE(page.axes->arrowUnit, int(std::lround(d + 1)));
}

void PrintLayoutTest::caption() {
    setDecimalSeparator(u',');
    Setup s;
    prepare(s);
    s.input.settings.scale = 0.1L;
    const PageLayout page = s.layout();
    setDecimalSeparator(u'.');
    QCOMPARE(page.caption, QStringLiteral("1cm :  1,00E-1m"));
    // 320 x 240 mm at 10 cm per printed cm: 3.2 x 2.4 cm.
    QCOMPARE(page.drawing, QSize(378, 283));
    QCOMPARE(page.captionAt, QPoint(10, 283 + 5));
}

void PrintLayoutTest::anyScaleStaysBounded() {
    Setup s;
    prepare(s);
    for (int row = 1; row <= 10; ++row)
        record(s, row, 1, 30 * row, 20 * row);
    s.input.settings.scale = 1e-9L; // a picture the size of a country
    QElapsedTimer timer;
    timer.start();
    const PageLayout page = s.layout();
    QImage sheet(s.input.page / 4, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    renderPage(painter, page);
    QVERIFY2(timer.elapsed() < 5000, "the page took too long");
    QVERIFY(page.gridRows.size() <= size_t(s.input.page.height() / kDotsPerCm + 2));
    QVERIFY(page.gridColumns.size() <= size_t(s.input.page.width() / kDotsPerCm + 2));
    for (const PageMark& mark : page.marks)
        QVERIFY(QRect(QPoint(0, 0), s.input.page)
                    .adjusted(-mark.radius, -mark.radius, mark.radius, mark.radius)
                    .contains(mark.centre));
}

void PrintLayoutTest::renderedPage() {
    Setup s;
    prepare(s);
    s.styles.point(1).colour = QColor(0, 0, 255);
    record(s, 1, 1, 20, 10);
    s.input.settings.colours = PrintColours::Screen;
    s.input.page = QSize(600, 500);
    const PageLayout page = s.layout();
    QImage sheet(s.input.page, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    renderPage(painter, page);
    painter.end();

    // Axes in white: printed as the screen shows them, with a black edge
    // so that they show on the paper.
    QCOMPARE(QColor(sheet.pixel(page.axes->origin.x(), 10)), QColor(Qt::white));
    const int below = 6 * page.axes->arrowUnit; // past the head
    QCOMPARE(QColor(sheet.pixel(page.axes->origin.x() - 1, below)), QColor(Qt::black));
    QCOMPARE(QColor(sheet.pixel(page.axes->origin.x() + 1, below)), QColor(Qt::black));
    QCOMPARE(QColor(sheet.pixel(page.axes->origin.x() + 2, below)), QColor(Qt::white));
    // A dotted grid line: grey dots with gaps along it.
    const int y = page.gridRows.at(1);
    int grey = 0;
    for (int x = 0; x < 60; ++x)
        grey += QColor(sheet.pixel(x, y)) == QColor(127, 127, 127);
    QVERIFY2(grey >= 15 && grey <= 45, qPrintable(QString::number(grey)));
    // The mark's cross arm, in its colour, at the pixel's place.
    const QPoint centre = page.marks.front().centre;
    QCOMPARE(QColor(sheet.pixel(centre + QPoint(page.marks.front().radius - 2, 0))),
             QColor(0, 0, 255));
    // A dark mark needs no edge on paper.
    QCOMPARE(QColor(sheet.pixel(centre + QPoint(page.marks.front().radius - 2, 1))),
             QColor(Qt::white));
}

QTEST_MAIN(PrintLayoutTest)
#include "print_layout.moc"
