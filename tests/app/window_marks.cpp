// What the window draws on the clip surface: marks where the user clicked,
// in the point's colour, the whole trajectory on every frame, the axes
// through the origin, the scale segment, and how switches, colours and
// clearing change the picture.
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

using namespace traxilo;
using namespace traxilo::test;

namespace {

constexpr unsigned kMagenta = 0xFF00FF;
constexpr unsigned kBlue = 0x0000FF;
const QColor kMagentaColour(255, 0, 255);

// Point `k` in magenta, as a quick configuration or a session would set it.
void magenta(TForm1& w, int k) {
    PointStyles styles = w.document().styles();
    styles.point(k).colour = kMagentaColour;
    w.document().setStyles(styles, w.document().markSize());
}

void calibrating(TForm1& w, const char* step) {
    trigger(w, "popUpMnuModeEtalonner");
    clickBox(required<QRadioButton>(w, step));
}

} // namespace

class WindowMarks : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }

    void recordedMarkAtTheClick();
    void trajectoryOnEveryFrame();
    void axesThroughTheOrigin();
    void switchesHideAxesAndMarks();
    void cancelledColourStillRedraws();
    void clearingWipesMarks();
    void refilledPointMovesItsMark();
    void fewerPointsDropTheirMarks();
    void scaleSegmentWhileEditing();

private:
    TForm1& w() { return *m_fixture->window; }
    void setAxesColour(const QColor& colour) {
        const int asked = m_fixture->seams.colourRequests().size();
        m_fixture->seams.answerNextColour(colour);
        QTest::mouseClick(required<QToolButton>(w(), "bbtnCouleurAxes"), Qt::LeftButton);
        QCOMPARE(m_fixture->seams.colourRequests().size(), asked + 1);
    }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void WindowMarks::init() {
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip =
        openGeneratedClip(*m_fixture, smallClipSpec(12), QStringLiteral("window_marks.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    magenta(w(), 1);
    required<QCheckBox>(w(), "chkBoxAutoV")->setChecked(false); // the clicks stay on frame 0
}

void WindowMarks::recordedMarkAtTheClick() {
    clickSurface(w(), QPoint(50, 40));
    // At 100 % the display pixel is the picture pixel.
    QCOMPARE(w().document().position(0, 1)->pixel, QPointF(50, 40));
    // Mark size index 1: a 3-pixel cross.
    for (QPoint p :
         {QPoint(50, 40), QPoint(49, 40), QPoint(51, 40), QPoint(50, 39), QPoint(50, 41)})
        QCOMPARE(surfaceRgb(w(), p), kMagenta);
    QVERIFY(surfaceRgb(w(), QPoint(49, 39)) != kMagenta);
    QVERIFY(surfaceRgb(w(), QPoint(52, 40)) != kMagenta);
}

void WindowMarks::trajectoryOnEveryFrame() {
    showFrame(w(), 9);
    clickSurface(w(), QPoint(70, 20));
    QTest::mouseClick(required<QToolButton>(w(), "bbtnDeb"), Qt::LeftButton);
    QCOMPARE(frameShown(w()), 0);
    QCOMPARE(clipgen::readFrameIndex(surfaceImage(w())), 0);
    QCOMPARE(surfaceRgb(w(), QPoint(70, 20)), kMagenta);
    QTest::mouseClick(required<QToolButton>(w(), "bbtnSui"), Qt::LeftButton);
    QCOMPARE(clipgen::readFrameIndex(surfaceImage(w())), 1);
    QCOMPARE(surfaceRgb(w(), QPoint(70, 20)), kMagenta);
}

void WindowMarks::axesThroughTheOrigin() {
    setAxesColour(QColor(0, 0, 255));
    QCOMPARE(w().document().styles().axes.colour, QColor(0, 0, 255));
    // After opening: origin on the bottom-left pixel, heads at the top and
    // at the right edge.
    QCOMPARE(surfaceRgb(w(), QPoint(0, 60)), kBlue);
    QCOMPARE(surfaceRgb(w(), QPoint(80, 119)), kBlue);
    QCOMPARE(surfaceRgb(w(), QPoint(159, 119)), kBlue);
    QCOMPARE(surfaceRgb(w(), QPoint(0, 0)), kBlue);

    calibrating(w(), "rbChxOrig");
    clickSurface(w(), QPoint(80, 60));
    QCOMPARE(surfaceRgb(w(), QPoint(80, 30)), kBlue);
    QCOMPARE(surfaceRgb(w(), QPoint(40, 60)), kBlue);
    QVERIFY(surfaceRgb(w(), QPoint(0, 30)) != kBlue); // the old axis is gone
    // x to the left, y down: heads at the left edge and on the bottom row.
    QTest::mouseClick(required<QToolButton>(w(), "tbXnYN"), Qt::LeftButton);
    QCOMPARE(surfaceRgb(w(), QPoint(0, 60)), kBlue);
    QCOMPARE(surfaceRgb(w(), QPoint(80, 119)), kBlue);
    QCOMPARE(surfaceRgb(w(), QPoint(5, 58)), kBlue); // the back of the head
}

void WindowMarks::switchesHideAxesAndMarks() {
    setAxesColour(QColor(0, 0, 255));
    clickSurface(w(), QPoint(50, 40));
    auto* axes = required<QCheckBox>(w(), "chkBoxAxDed");
    clickBox(axes);
    QVERIFY(!w().document().styles().axes.drawn);
    QVERIFY(surfaceRgb(w(), QPoint(0, 60)) != kBlue);
    QCOMPARE(surfaceRgb(w(), QPoint(50, 40)), kMagenta);
    clickBox(required<QCheckBox>(w(), "chkBoxPtDed"));
    QVERIFY(!w().document().styles().point(1).drawn);
    QVERIFY(surfaceRgb(w(), QPoint(50, 40)) != kMagenta);
    clickBox(axes);
    QCOMPARE(surfaceRgb(w(), QPoint(0, 60)), kBlue);
}

void WindowMarks::cancelledColourStillRedraws() {
    const PointStyles before = w().document().styles();
    required<PaintBox>(w(), "PaintBox1")->image().setPixel(100, 30, kMagenta); // not in the data
    m_fixture->seams.answerNextColour(std::nullopt);
    QTest::mouseClick(required<QToolButton>(w(), "bbtnCouleurAxes"), Qt::LeftButton);
    QCOMPARE(m_fixture->seams.colourRequests(), QList<QColor>{QColor(255, 255, 255)});
    QVERIFY(w().document().styles() == before);
    QVERIFY(!w().document().undoStack()->canUndo());
    QVERIFY(surfaceRgb(w(), QPoint(100, 30)) != kMagenta);
}

void WindowMarks::clearingWipesMarks() {
    clickSurface(w(), QPoint(50, 40));
    QCOMPARE(surfaceRgb(w(), QPoint(50, 40)), kMagenta);
    m_fixture->seams.answerNext(true);
    QTest::mouseClick(required<QToolButton>(w(), "Button2"), Qt::LeftButton);
    QVERIFY(surfaceRgb(w(), QPoint(50, 40)) != kMagenta);
    QCOMPARE(frameShown(w()), 0);
}

void WindowMarks::refilledPointMovesItsMark() {
    clickSurface(w(), QPoint(50, 40));
    clickSurface(w(), QPoint(90, 70));
    QVERIFY(surfaceRgb(w(), QPoint(50, 40)) != kMagenta);
    QCOMPARE(surfaceRgb(w(), QPoint(90, 70)), kMagenta);
}

void WindowMarks::fewerPointsDropTheirMarks() {
    auto* points = required<UpDown>(w(), "udPointsPlan");
    QTest::mouseClick(points->upButton(), Qt::LeftButton);
    magenta(w(), 2);
    QTest::mouseClick(required<UpDown>(w(), "udPointNumero")->upButton(), Qt::LeftButton);
    clickSurface(w(), QPoint(90, 70));
    QCOMPARE(w().document().position(0, 2)->pixel, QPointF(90, 70));
    QCOMPARE(surfaceRgb(w(), QPoint(90, 70)), kMagenta);
    // Point 2 leaves the table (asked first): its marks leave the picture at once.
    m_fixture->seams.answerNext(true);
    QTest::mouseClick(points->downButton(), Qt::LeftButton);
    QCOMPARE(w().document().pointsPerFrame(), 1);
    QVERIFY(surfaceRgb(w(), QPoint(90, 70)) != kMagenta);
}

void WindowMarks::scaleSegmentWhileEditing() {
    calibrating(w(), "rbEtalonSimu");
    clickSurface(w(), QPoint(30, 30));
    clickBox(required<QCheckBox>(w(), "chkBoxPt2"));
    clickSurface(w(), QPoint(90, 30));
    QCOMPARE(surfaceRgb(w(), QPoint(60, 30)), 0x008000u); // green segment
    QCOMPARE(surfaceRgb(w(), QPoint(30, 26)), 0xFF0000u); // red cross on p1
    QCOMPARE(surfaceRgb(w(), QPoint(90, 34)), 0x0000FFu); // blue cross on p2
    // Pointing mode leaves scale editing; the next redraw has no segment.
    trigger(w(), "popUpMnuModeAcquerir");
    QTRY_VERIFY(surfaceRgb(w(), QPoint(60, 30)) != 0x008000u);
}

QTEST_MAIN(WindowMarks)
#include "window_marks.moc"
