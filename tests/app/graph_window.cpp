// The "Graphes" page in the window, on a generated throw pointed by clicks at
// the truth while the page is on show: one marker per pointed frame from the
// time origin on, a click on a marker shows its frame, the cursor follows the
// frame shown, and the parabola of y(t) gives the generator's g.
#include "app/graphs/graph_widget.h"
#include "app/graphs/plot_canvas.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "common/number_format.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "support/clip_opening.h"
#include "support/gravity_shown.h"
#include "support/measure_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>
#include <cmath>

using namespace traxilo;
using namespace traxilo::test;

namespace {

clipgen::ClipSpec throwSpec() {
    clipgen::ClipSpec clipSpec;
    clipSpec.motion = clipgen::Motion::Throw;
    clipSpec.width = 320;
    clipSpec.height = 240;
    clipSpec.fpsNum = 25;
    clipSpec.frames = 30;
    clipSpec.v0x = 1.0;
    clipSpec.v0y = 2.5;
    clipSpec.g = 9.81;
    return clipSpec;
}

} // namespace

class GraphWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(u','); }
    void cleanup() { setDecimalSeparator(u'.'); }
    void throwPointedThroughTheWindow();
};

void GraphWindow::throwPointedThroughTheWindow() {
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    const clipgen::ClipSpec clipSpec = throwSpec();
    const OpenedClip clip = openGeneratedClip(fixture, clipSpec, QStringLiteral("throw.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *fixture.window;
    const clipgen::ClipTruth& truth = *clip.truth;
    MeasurementDocument& document = w.document();

    // Scale on the ruler drawn in the scene, origin on the first position.
    scaleOnRuler(w, rounded(truth.rulerA), rounded(truth.rulerB),
                 QString::number(truth.rulerLengthM, 'g', 10).replace(u'.', u','));
    QVERIFY(document.calibration().scaleDefined);
    clickBox(child<QRadioButton>(w, "rbChxOrig"));
    clickSurface(w, rounded(truth.frames[0].ball));

    // Pointing with the graphs on show: they follow every click.
    auto* pages = child<QTabWidget>(w, "PageControl1");
    auto* page = child<QWidget>(w, "tsGraphes");
    pages->setCurrentWidget(page);
    QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Graphes"));
    auto* graph = child<GraphWidget>(w, "GraphWidget");
    auto* canvas = child<PlotCanvas>(w, "grapheCourbes");
    for (int i = 0; i < clipSpec.frames; ++i) {
        QCOMPARE(w.frameShown(), i);
        clickSurface(w, rounded(truth.frames[size_t(i)].ball));
        QCOMPARE(graph->plottedPointCount(), i + 1);
    }
    // Frames before the time origin are left out.
    document.undoStack()->push(new SetTimeOrigin(&document, 4));
    QCOMPARE(graph->plottedPointCount(), clipSpec.frames - 4);
    // A hidden page catches up when it comes on show.
    pages->setCurrentWidget(child<QWidget>(w, "tsMesures"));
    document.undoStack()->undo();
    pages->setCurrentWidget(page);
    QCOMPARE(graph->plottedPointCount(), clipSpec.frames);

    // A click on a plotted point shows its frame; the cursor follows.
    for (int frame : {7, 21}) {
        const std::optional<QPointF> at = canvas->markerPosition(frame);
        QVERIFY(at);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at->toPoint());
        QCOMPARE(w.frameShown(), frame);
        QCOMPARE(shownFrame(w), frame);
        QCOMPARE(canvas->content().highlightedFrame, frame);
    }
    QTest::keyClick(child<PaintBox>(w, "PaintBox1"), Qt::Key_PageDown);
    QCOMPARE(w.frameShown(), 22);
    QCOMPARE(canvas->content().highlightedFrame, 22);
    QVERIFY(canvas->content().cursor);
    QVERIFY(std::fabs(*canvas->content().cursor - truth.frames[22].t) < 1e-9);

    // The parabola of y(t): g within 1 % and within three of its uncertainties.
    QTest::mouseClick(child<QPushButton>(w, "btnModeliser"), Qt::LeftButton);
    const QString shown = child<QLabel>(w, "lblModele")->text();
    const auto g = gravityShown(shown);
    QVERIFY2(g, qPrintable(shown));
    QVERIFY2(std::fabs(g->first - truth.g) < 0.01 * truth.g, qPrintable(shown));
    QVERIFY2(std::fabs(g->first - truth.g) <= 3 * g->second, qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("étalonnage")), qPrintable(shown));
    QCOMPARE(fixture.seams.count(MessageKind::Error), 0);
}

QTEST_MAIN(GraphWindow)
#include "graph_window.moc"
