// The graph page on its own, fed a generated throw clicked to the pixel: one
// marker per recorded frame from the time origin on, a click on a marker
// names its frame, a parabola of y(t) gives g, over the whole curve or a
// dragged range, and the picture goes to PNG and PDF files.
#include "app/graphs/graph_widget.h"
#include "analysis/kinematics.h"
#include "app/graphs/plot_canvas.h"
#include "clipgen/scene.h"
#include "common/number_format.h"
#include "support/gravity_shown.h"
#include "support/seam_answerer.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>

using namespace traxilo;
using traxilo::test::gravityShown;

namespace {

constexpr int kOrigin = 3;      // the time origin's frame
constexpr int kNotPointed = 20; // a frame the user skipped
constexpr int kFrames = 40;

struct Throw {
    clipgen::ClipTruth truth;
    GraphData data;
};

// Positions as a user clicks them (whole pixels) and as the document turns
// them into metres: the origin at the first position, y upwards.
Throw pointedThrow() {
    clipgen::ClipSpec clipSpec;
    clipSpec.motion = clipgen::Motion::Throw;
    clipSpec.width = 640;
    clipSpec.height = 480;
    clipSpec.frames = kFrames;
    clipSpec.v0x = 1.2;
    clipSpec.v0y = 3.0;
    Throw result{clipgen::Scene(clipSpec).truth(), {}};
    const auto& truth = result.truth;
    const QPointF origin = truth.frames.front().ball;
    std::vector<double> times;
    PointPositions point;
    for (int i = 0; i < kFrames; ++i) {
        times.push_back(truth.frames[i].t);
        const QPointF p = truth.frames[i].ball;
        if (i == kNotPointed) {
            point.x.emplace_back();
            point.y.emplace_back();
            continue;
        }
        point.x.push_back((std::round(p.x()) - origin.x()) / truth.pixelsPerMetre);
        point.y.push_back((origin.y() - std::round(p.y())) / truth.pixelsPerMetre);
    }
    result.data.points = computeKinematics(times, kOrigin, {point});
    result.data.yUp = true;
    result.data.rulerPixels = QLineF(truth.rulerA, truth.rulerB).length();
    return result;
}

struct Shown {
    GraphWidget widget;
    PlotCanvas* canvas = nullptr;
    explicit Shown(const GraphData& data) {
        widget.resize(410, 600); // the page beside "Mesures"
        widget.setData(data);
        widget.show();
        canvas = widget.findChild<PlotCanvas*>(QStringLiteral("grapheCourbes"));
    }
};

// "g = 9,81 ± 0,02 m/s² ..." read back: the value and its uncertainty.
} // namespace

class GraphWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setDecimalSeparator(u','); }
    void cleanup() { setDecimalSeparator(u'.'); }
    void plotsEachFrameWithAValue_data();
    void plotsEachFrameWithAValue();
    void clickedMarkerNamesItsFrame();
    void parabolaOfYGivesG();
    void savesPngAndPdf();
};

void GraphWidgetTest::plotsEachFrameWithAValue_data() {
    QTest::addColumn<int>("ordinate");
    QTest::addColumn<int>("second"); // -1: none
    QTest::addColumn<int>("count");
    // From the origin on, less the skipped frame.
    const int positions = kFrames - kOrigin - 1;
    // A five-frame window needs two neighbours each side: none near the ends,
    // the origin or the skipped frame.
    const int derivatives = (kFrames - 2) - (kOrigin + 2) - 5;
    QTest::newRow("y") << int(Quantity::Y) << -1 << positions;
    QTest::newRow("vy") << int(Quantity::Vy) << -1 << derivatives;
    QTest::newRow("x and ay") << int(Quantity::X) << int(Quantity::Ay) << positions + derivatives;
}

void GraphWidgetTest::plotsEachFrameWithAValue() {
    QFETCH(int, ordinate);
    QFETCH(int, second);
    QFETCH(int, count);
    Shown shown(pointedThrow().data);
    shown.widget.setOrdinates({Quantity(ordinate), 0},
                              second < 0 ? std::nullopt
                                         : std::optional<GraphChoice>({Quantity(second), 0}));
    QCOMPARE(shown.widget.plottedPointCount(), count);
    // A different unit goes to its own scale on the right.
    const auto& markers = shown.canvas->content().markers;
    QCOMPARE(markers.back().axis, second == int(Quantity::Ay) ? 1 : 0);
}

void GraphWidgetTest::clickedMarkerNamesItsFrame() {
    const Throw pointed = pointedThrow();
    Shown shown(pointed.data);
    QVERIFY(QTest::qWaitForWindowExposed(&shown.widget));
    QSignalSpy clicked(&shown.widget, &GraphWidget::frameClicked);
    for (int frame : {kOrigin, 12, kFrames - 1}) {
        const auto at = shown.canvas->markerPosition(frame);
        QVERIFY(at);
        QTest::mouseClick(shown.canvas, Qt::LeftButton, {}, at->toPoint());
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.takeFirst().front().toInt(), frame);
    }
    QVERIFY(!shown.canvas->markerPosition(kNotPointed));

    // The frame shown in the clip: a cursor at its time.
    shown.widget.setCurrentFrame(12);
    QVERIFY(shown.canvas->content().cursor);
    QCOMPARE(*shown.canvas->content().cursor,
             pointed.truth.frames[12].t - pointed.truth.frames[kOrigin].t);
    shown.widget.setCurrentFrame(kOrigin - 1); // before the origin: none
    QVERIFY(!shown.canvas->content().cursor);
}

void GraphWidgetTest::parabolaOfYGivesG() {
    const Throw pointed = pointedThrow();
    Shown shown(pointed.data);
    QVERIFY(QTest::qWaitForWindowExposed(&shown.widget));
    auto* models = shown.widget.findChild<QComboBox*>(QStringLiteral("cbModele"));
    models->setCurrentIndex(models->findText(QStringLiteral("Parabole")));
    QTest::mouseClick(shown.widget.findChild<QPushButton*>(QStringLiteral("btnModeliser")),
                      Qt::LeftButton);
    const QString text = shown.widget.findChild<QLabel*>(QStringLiteral("lblModele"))->text();
    const auto g = gravityShown(text);
    QVERIFY2(g, qPrintable(text));
    QVERIFY2(std::fabs(g->first / pointed.truth.g - 1) < 0.01, qPrintable(text));
    QVERIFY2(std::fabs(g->first - pointed.truth.g) <= 3 * g->second, qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("m/s² (étalonnage : ± ")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("%1 points").arg(kFrames - kOrigin - 1)));
    QVERIFY(shown.widget.findChild<PlotCanvas*>(QStringLiteral("grapheResidus"))->isVisible());

    // A range dragged across frames 8 to 30 refits on those alone.
    const auto between = [&](int a, int b) {
        return ((*shown.canvas->markerPosition(a) + *shown.canvas->markerPosition(b)) / 2)
            .toPoint();
    };
    const QPoint from = between(7, 8);
    const QPoint to = between(30, 31);
    QTest::mousePress(shown.canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(shown.canvas, (from + to) / 2);
    QTest::mouseMove(shown.canvas, to);
    QTest::mouseRelease(shown.canvas, Qt::LeftButton, {}, to);
    const QString ranged = shown.widget.resultText();
    QVERIFY2(ranged.contains(QStringLiteral("22 points")), qPrintable(ranged));
    const auto gRanged = gravityShown(ranged);
    QVERIFY(gRanged && std::fabs(gRanged->first / pointed.truth.g - 1) < 0.01);

    // Without a scale the lengths are pixels: no g in m/s², units in px.
    GraphData pixels = pointed.data;
    pixels.metres = false;
    pixels.rulerPixels.reset();
    shown.widget.setData(pixels);
    shown.widget.useWholeRange();
    shown.widget.fitModel();
    const QString inPixels = shown.widget.resultText();
    QVERIFY2(!gravityShown(inPixels) && inPixels.contains(QStringLiteral("px/s²")),
             qPrintable(inPixels));
    QVERIFY(!inPixels.contains(QStringLiteral("m/s")));
}

void GraphWidgetTest::savesPngAndPdf() {
    Shown shown(pointedThrow().data);
    shown.widget.fitModel();
    QTemporaryDir folder;
    test::SeamAnswerer seams;
    const QString png = folder.filePath(QStringLiteral("graphe.png"));
    const QString pdf = folder.filePath(QStringLiteral("graphe.pdf"));
    seams.answerNextFile(png);
    shown.widget.findChild<QToolButton*>(QStringLiteral("btnGraphePNG"))->click();
    seams.answerNextFile(pdf);
    shown.widget.findChild<QToolButton*>(QStringLiteral("btnGraphePDF"))->click();
    QCOMPARE(seams.fileRequests().size(), 2);

    const QImage image(png);
    QCOMPARE(image.size(), QSize(1200, 900));
    // The markers are drawn: some pixels carry the curve's blue.
    int blue = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            blue += image.pixelColor(x, y) == QColor(0, 80, 200) ? 1 : 0;
    QVERIFY(blue > 100);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

QTEST_MAIN(GraphWidgetTest)
#include "graph_widget.moc"
