#include "pointing/drawing.h"
#include "geometry/calibration.h"
#include "pointing/style_table.h"

#include <QPainter>
#include <QtTest>
#include <set>

using namespace traxilo;

namespace {

using Pixels = std::set<std::pair<int, int>>;

QImage blank(int w = 64, int h = 48) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

Pixels painted(const QImage& image, QColor colour) {
    Pixels out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                out.insert({x, y});
    return out;
}

Pixels notWhite(const QImage& image) {
    Pixels out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                out.insert({x, y});
    return out;
}

// A picture drawn as rows of text: '#' painted, '.' not.
Pixels fromArt(const QStringList& rows, int left, int top) {
    Pixels out;
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == QLatin1Char('#'))
                out.insert({left + x, top + y});
    return out;
}

bool has(const Pixels& p, int x, int y) {
    return p.count({x, y}) != 0;
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT

private slots:
    void lineStopsBeforeItsEnd_data();
    void lineStopsBeforeItsEnd();
    void markShapes_data();
    void markShapes();
    void largeSquareAndCircle();
    void axesHeads_data();
    void axesHeads();
    void scaleSegment();
    void drawpointsFollowsSwitches();
    void shownAtTheDisplaySize();
    void overlayMatchesDirectDrawing();
    void marksGetAContrastingEdge_data();
    void marksGetAContrastingEdge();
};

void DrawingTest::lineStopsBeforeItsEnd_data() {
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");
    QTest::newRow("right") << QPoint(3, 5) << QPoint(20, 5);
    QTest::newRow("left") << QPoint(20, 5) << QPoint(3, 5);
    QTest::newRow("down") << QPoint(7, 2) << QPoint(7, 30);
    QTest::newRow("up") << QPoint(7, 30) << QPoint(7, 2);
    QTest::newRow("diagonal") << QPoint(2, 2) << QPoint(12, 12);
    QTest::newRow("arrow side") << QPoint(30, 0) << QPoint(28, 5);
    QTest::newRow("shallow back") << QPoint(40, 20) << QPoint(5, 31);
    QTest::newRow("steep") << QPoint(10, 40) << QPoint(13, 1);
    QTest::newRow("one pixel long") << QPoint(9, 9) << QPoint(10, 9);
}

void DrawingTest::lineStopsBeforeItsEnd() {
    QFETCH(QPoint, a);
    QFETCH(QPoint, b);
    QImage image = blank();
    {
        QPainter p(&image);
        DrawLine(p, Qt::black, a, b);
    }
    const Pixels px = painted(image, Qt::black);
    const int steps = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
    QCOMPARE(int(px.size()), steps);
    QVERIFY(has(px, a.x(), a.y()));
    QVERIFY(!has(px, b.x(), b.y()));
    // One pixel per step, each touching the last, inside the line's box.
    const QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                    QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    for (const auto& [x, y] : px) {
        QVERIFY(box.contains(x, y));
        bool touches = px.size() == 1;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                touches = touches || ((dx || dy) && has(px, x + dx, y + dy));
        QVERIFY(touches);
    }
    // A line ending where it starts paints nothing at all.
    QImage second = blank();
    {
        QPainter p(&second);
        DrawLine(p, Qt::black, a, a); // a zero-length line paints nothing
    }
    QVERIFY(notWhite(second).empty());
}

void DrawingTest::markShapes_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("r");
    QTest::addColumn<QStringList>("art"); // centred on (20, 20)
    QTest::newRow("cross 0") << 0 << 0 << QStringList{"#"};
    QTest::newRow("square 0") << 1 << 0 << QStringList{"#"};
    QTest::newRow("cross 1") << 0 << 1 << QStringList{".#.", "###", ".#."};
    QTest::newRow("square 1") << 1 << 1 << QStringList{"###", "#.#", "###"};
    QTest::newRow("square 2") << 1 << 2 << QStringList{"#####", "#...#", "#.#.#", "#...#", "#####"};
    QTest::newRow("circle 1") << 2 << 1 << QStringList{".#.", "#.#", ".#."};
    QTest::newRow("segment end, small") << 3 << 1 << QStringList{};
    QTest::newRow("segment end") << 3 << 2
                                 << QStringList{"..#..", "..#..", "#####", "..#..", "..#.."};
    QTest::newRow("unknown shape") << 4 << 3 << QStringList{};
}

void DrawingTest::markShapes() {
    QFETCH(int, shape);
    QFETCH(int, r);
    QFETCH(QStringList, art);
    QImage image = blank();
    {
        QPainter p(&image);
        DrawMark(p, QColor(200, 0, 0), r, 20, 20, shape);
    }
    QCOMPARE(notWhite(image), fromArt(art, 20 - r, 20 - r));
}

void DrawingTest::largeSquareAndCircle() {
    // Size 5 (r = 4): 9 x 9, with an inner cross of 5 pixels and one empty
    // pixel between cross and outline.
    const QStringList square{"#########", "#.......#", "#...#...#", "#...#...#", "#.#####.#",
                             "#...#...#", "#...#...#", "#.......#", "#########"};
    QImage image = blank();
    {
        QPainter p(&image);
        DrawMark(p, Qt::blue, 4, 20, 20, 1);
    }
    QCOMPARE(painted(image, Qt::blue), fromArt(square, 16, 16));

    QImage round = blank();
    {
        QPainter p(&round);
        DrawMark(p, Qt::blue, 4, 20, 20, 2);
    }
    const Pixels c = painted(round, Qt::blue);
    QCOMPARE(QRect(16, 16, 9, 9), [&] {
        QRect box;
        for (const auto& [x, y] : c)
            box |= QRect(x, y, 1, 1);
        return box;
    }());
    for (const auto& [x, y] : c) // symmetric about both axes and the diagonal
        QVERIFY(has(c, 40 - x, y) && has(c, x, 40 - y) && has(c, y, x));
    QVERIFY(!has(c, 16, 16)); // an ellipse, not the box
    QVERIFY(has(c, 18, 20) && has(c, 22, 20) && !has(c, 17, 20) && !has(c, 23, 20));
    QVERIFY(!has(c, 21, 21)); // interior never filled
}

void DrawingTest::axesHeads_data() {
    QTest::addColumn<int>("xDir");
    QTest::addColumn<int>("yDir");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QPoint>("yTip");
    QTest::addColumn<QPoint>("xTip");
    // 40 x 30 area, k = 1: heads 5 long, 2 wide on each side.
    QTest::newRow("both +1, origin bottom-left")
        << 1 << 1 << QPoint(0, 29) << QPoint(0, 0) << QPoint(39, 29);
    QTest::newRow("both -1") << -1 << -1 << QPoint(20, 10) << QPoint(20, 29) << QPoint(0, 10);
    QTest::newRow("x -1, y +1") << -1 << 1 << QPoint(20, 10) << QPoint(20, 0) << QPoint(0, 10);
    QTest::newRow("x +1, y -1") << 1 << -1 << QPoint(20, 10) << QPoint(20, 29) << QPoint(39, 10);
}

void DrawingTest::axesHeads() {
    QFETCH(int, xDir);
    QFETCH(int, yDir);
    QFETCH(QPoint, origin);
    QFETCH(QPoint, yTip);
    QFETCH(QPoint, xTip);
    QImage image = blank(40, 30);
    {
        QPainter p(&image);
        DrawAxes(p, Qt::black, xDir, yDir, origin.x(), origin.y(), 30, 40, 1);
    }
    const Pixels px = painted(image, Qt::black);
    const int by = yTip.y() == 0 ? 5 : 24; // base of each head, 5 pixels back
    const int bx = xTip.x() == 0 ? 5 : 34;
    // Both axes cross the whole area; inside a head only its outline is drawn.
    for (int y = 0; y < 30; ++y)
        if (y <= std::min(yTip.y(), by) || y >= std::max(yTip.y(), by))
            QVERIFY2(has(px, origin.x(), y), qPrintable(QString::number(y)));
    for (int x = 0; x < 40; ++x)
        if (x <= std::min(xTip.x(), bx) || x >= std::max(xTip.x(), bx))
            QVERIFY2(has(px, x, origin.y()), qPrintable(QString::number(x)));
    QVERIFY(!has(px, origin.x(), yTip.y() == 0 ? 3 : 26));
    QVERIFY(!has(px, xTip.x() == 0 ? 3 : 36, origin.y()));
    // Heads: the tip, and a base spanning 2 pixels each side of the axis.
    QVERIFY(has(px, yTip.x(), yTip.y()));
    for (int dx = -2; dx <= 2; ++dx)
        QVERIFY(has(px, yTip.x() + dx, by) || yTip.x() + dx < 0);
    for (int dy = -2; dy <= 2; ++dy)
        QVERIFY(has(px, bx, xTip.y() + dy) || xTip.y() + dy > 29);
    QVERIFY(!has(px, yTip.x() + 3, by));
    // Nothing at the other ends: the far end of the vertical axis has no head.
    const int farY = yTip.y() == 0 ? 26 : 3;
    if (origin.x() >= 2)
        QVERIFY(!has(px, origin.x() - 1, farY) && !has(px, origin.x() + 1, farY));
}

void DrawingTest::scaleSegment() {
    for (bool fromP2 : {false, true}) {
        QImage image = blank();
        {
            QPainter p(&image);
            DrawScaleSegment(p, Qt::SolidLine, QColor(0, 128, 0), QPoint(10, 10), QPoint(40, 30),
                             fromP2);
        }
        const Pixels green = painted(image, QColor(0, 128, 0));
        QVERIFY(has(green, 10, 10) && has(green, 40, 30)); // both ends, segment on top
        QCOMPARE(int(green.size()), 31);
        const Pixels red = painted(image, Qt::red);
        const Pixels blue = painted(image, Qt::blue);
        QVERIFY(has(red, 6, 10) && has(red, 10, 14) && !has(red, 5, 10));
        QVERIFY(has(blue, 36, 30) && has(blue, 40, 26) && has(blue, 44, 30));
        QVERIFY(red.size() >= 14 && red.size() <= 16); // the line crosses the arms
    }
}

// Point 1 on frames 0 and 9, point 2 (squares) on frame 2.
struct Scene {
    std::vector<PointMark> marks{
        {0, 1, QPointF(10, 10)}, {2, 2, QPointF(50, 30)}, {9, 1, QPointF(30, 12)}};
    PointStyles styles;
    Scene() {
        styles.axes.colour = Qt::black;
        styles.point(1).colour = Qt::red;
        styles.point(2) = {Qt::blue, true, 1};
    }
};

void DrawingTest::drawpointsFollowsSwitches() {
    Scene t;
    Calibration c;
    c.Xo = 2;
    c.Yo = 40;
    c.p1 = QPointF(60, 2);
    c.p2 = QPointF(60, 20);
    DrawOptions o{64, 48, 1, 1, true, false};

    QImage all = reDrawImage(blank(), t.marks, t.styles, c, o);
    QVERIFY(has(painted(all, Qt::black), 2, 20)); // vertical axis
    const Pixels red = painted(all, Qt::red);
    QVERIFY(has(red, 10, 10) && has(red, 30, 12)); // every frame's marks
    QVERIFY(has(painted(all, Qt::blue), 49, 29));  // square corner of point 2
    QVERIFY(has(painted(all, QColor(0, 128, 0)), 60, 10));

    t.styles.axes.drawn = false;
    t.styles.point(1).drawn = false;
    o.withScaleSegment = false; // a picture for the clipboard
    QImage some = reDrawImage(blank(), t.marks, t.styles, c, o);
    QVERIFY(painted(some, Qt::black).empty());
    QVERIFY(painted(some, Qt::red).empty());
    QVERIFY(painted(some, QColor(0, 128, 0)).empty());
    QCOMPARE(painted(some, Qt::blue).size(), size_t(8)); // the 3 x 3 square alone
}

void DrawingTest::shownAtTheDisplaySize() {
    // Picture pixels scaled and rounded, halves to even: the marks, the
    // axes' crossing and the scale segment all follow the size.
    Scene t;
    t.marks = {{0, 1, QPointF(10.25, 5.75)}};
    Calibration c;
    c.Xo = 3;
    c.Yo = 20;
    c.p1 = QPointF(25, 2);
    c.p2 = QPointF(25, 10);
    const QImage image =
        reDrawImage(blank(), t.marks, t.styles, c, DrawOptions{64, 48, 2, 1, true, false});
    QVERIFY(has(painted(image, Qt::red), 20, 12));   // (10.25, 5.75) x 2 = (20.5, 11.5)
    QVERIFY(has(painted(image, Qt::black), 6, 30));  // vertical axis at x 6
    QVERIFY(has(painted(image, Qt::black), 30, 40)); // horizontal axis at y 40
    QVERIFY(has(painted(image, QColor(0, 128, 0)), 50, 12));
}

void DrawingTest::overlayMatchesDirectDrawing() {
    Scene t;
    Calibration c;
    c.Xo = 30;
    c.Yo = 25;
    c.signY = -1;
    const DrawOptions o{64, 48, 1, 2, true, true};
    QImage frame = blank();
    for (int y = 0; y < 48; ++y) // a picture that is not plain
        for (int x = 0; x < 64; ++x)
            frame.setPixelColor(x, y, QColor(x * 4, y * 5, 100));
    const QImage direct = reDrawImage(frame, t.marks, t.styles, c, o);
    QImage composed = frame;
    compositeOverlay(composed, renderOverlay(frame.size(), t.marks, t.styles, c, o));
    QCOMPARE(composed, direct);
    QVERIFY(direct != frame);
}

void DrawingTest::marksGetAContrastingEdge_data() {
    QTest::addColumn<QColor>("mark");
    QTest::addColumn<QColor>("edge");
    QTest::newRow("white mark, black edge") << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("black mark, white edge") << QColor(Qt::black) << QColor(Qt::white);
    QTest::newRow("yellow mark, black edge") << QColor(Qt::yellow) << QColor(Qt::black);
}

void DrawingTest::marksGetAContrastingEdge() {
    QFETCH(QColor, mark);
    QFETCH(QColor, edge);
    // Two overlapping marks, added one by one, edge the same as a whole layer
    // outlined at once; the mark itself keeps its colour.
    QImage whole(40, 30, QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::transparent);
    {
        QPainter p(&whole);
        DrawMark(p, mark, 2, 10, 10, 0);
        DrawMark(p, mark, 2, 13, 11, 0);
    }
    outlineMarks(whole, whole.rect());
    QImage added(whole.size(), QImage::Format_ARGB32_Premultiplied);
    added.fill(Qt::transparent);
    addOutlinedMark(added, mark, 2, 10, 10, 0);
    addOutlinedMark(added, mark, 2, 13, 11, 0);
    QCOMPARE(added, whole);
    // Drawn as lines (the printed page): the edges first, then the marks.
    QImage drawn(whole.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter p(&drawn);
        DrawMarkEdge(p, contrastingEdge(mark), 2, 10, 10, 0);
        DrawMarkEdge(p, contrastingEdge(mark), 2, 13, 11, 0);
        DrawMark(p, mark, 2, 10, 10, 0);
        DrawMark(p, mark, 2, 13, 11, 0);
    }
    QCOMPARE(drawn, whole);
    QCOMPARE(whole.pixelColor(10, 10), mark);      // the cross's centre
    QCOMPARE(whole.pixelColor(11, 9), edge);       // beside its arm
    QCOMPARE(whole.pixelColor(30, 25).alpha(), 0); // far away: untouched
    QCOMPARE(whole.pixelColor(10, 14).alpha(), 0); // two pixels below the arm's end
}

QTEST_MAIN(DrawingTest)
#include "drawing.moc"
