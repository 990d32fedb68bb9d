// Assisted tracking in the window, on a generated throw behind a pole shown
// at 200 %: the user shows the ball by a press and a drag, the run shows its
// frames as it goes, stops at the pole and asks, goes on after a click on
// the ball, is one step of "Annuler", and the session keeps which points
// were tracked and which were clicked. Bad choices are refused in French.
#include "app/paint_box.h"
#include "app/tracking_doubt_seam.h"
#include "clipgen/tracking_scene.h"
#include "document/measurement_document.h"
#include "support/main_window_fixture.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <map>

using namespace traxilo;
using namespace traxilo::test;
using Choice = TrackingDoubtSeam::Choice;

namespace {

constexpr int kPercent = 200;

QPoint shownAt(QPointF picture) {
    return rounded(picture * (kPercent / 100.0));
}

void showAtPercent(TForm1& w, int percent) {
    auto* box = child<QDialog>(w, "tailleImaBox");
    runModal(
        box, [&] { trigger(w, "mnuImaAutre"); },
        [box, percent] {
            auto* field = box->findChild<QLineEdit*>(QStringLiteral("pnlPc"));
            field->selectAll();
            QTest::keyClicks(field, QString::number(percent));
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("OKBtn")),
                              Qt::LeftButton);
        });
}

// A press on `centre`, a drag, a release on `edge` (picture pixels).
void dragOut(TForm1& w, QPointF centre, QPointF edge) {
    auto* surface = child<PaintBox>(w, "PaintBox1");
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, shownAt(centre));
    QTest::mouseMove(surface, shownAt((centre + edge) / 2));
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, shownAt(edge));
}

bool trackingUnderWay(const TForm1& w) {
    return !w.menuBar()->isEnabled();
}

std::map<int, PointPosition> positions(const MeasurementDocument& d) {
    std::map<int, PointPosition> all;
    for (int f = 0; f < d.frameCount(); ++f)
        if (const auto p = d.position(f, 1))
            all[f] = *p;
    return all;
}

double distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

} // namespace

class TrackingWindow : public QObject {
    Q_OBJECT
private slots:
    void trackedBehindThePole();
    void stopKeepsWhatWasTracked();
    void badChoicesAreRefused_data();
    void badChoicesAreRefused();
};

namespace {

// The throw behind a pole, small enough to be quick, opened and shown at 200 %.
clipgen::ClipSpec poleSpec() {
    clipgen::ClipSpec clipSpec = *clipgen::trackingRecipe(QStringLiteral("track-pole"));
    clipSpec.width = 640;
    clipSpec.height = 360;
    return clipSpec;
}

OpenedClip openPoleClip(MainWindowFixture& f) {
    OpenedClip clip = openGeneratedClip(f, poleSpec(), QStringLiteral("track-pole.mp4"));
    if (clip.ok())
        showAtPercent(*f.window, kPercent);
    return clip;
}

} // namespace

void TrackingWindow::trackedBehindThePole() {
    MainWindowFixture f;
    const clipgen::ClipSpec clipSpec = poleSpec();
    const OpenedClip clip = openPoleClip(f);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *f.window;
    const clipgen::ClipTruth& truth = *clip.truth;

    // A careful user: a frame where the ball is hidden, even in part, is
    // skipped; otherwise the ball is shown where it is.
    std::vector<int> placedOn;
    f.seams.setDoubtAnswerer([&](const TrackingQuestion& q) {
        const clipgen::FrameTruth& real = truth.frames[std::size_t(q.frame)];
        if (real.visible < 1)
            return Choice::SkipFrame;
        placedOn.push_back(q.frame);
        QTimer::singleShot(0, &w, [&w, at = real.ball] { clickSurface(w, shownAt(at)); });
        return Choice::PlaceObject;
    });
    // What the window shows each time the run records a frame.
    std::vector<std::pair<int, int>> shown; // frame recorded, frame on show
    int progress = 0;
    auto* bar = child<QProgressBar>(w, "pbSuivi");
    connect(&w.document(), &MeasurementDocument::positionsChanged, &w, [&](int first, int) {
        if (!trackingUnderWay(w))
            return; // the run's end, as one command
        shown.emplace_back(first, w.frameShown());
        progress = std::max(progress, bar->isVisible() ? bar->value() : 0);
    });

    const QPointF start = truth.frames[0].ball;
    trigger(w, "mnuSuiviAuto");
    QVERIFY(trackingUnderWay(w));
    dragOut(w, start, start + QPointF(truth.ballRadius, 0));
    QTRY_VERIFY_WITH_TIMEOUT(!trackingUnderWay(w), 120000);

    // Shown live: each frame on show as its point was recorded.
    QVERIFY2(shown.size() > 20, qPrintable(QString::number(shown.size())));
    for (const auto& [recorded, onShow] : shown)
        QCOMPARE(onShow, recorded);
    QVERIFY(progress > 20);

    // Stopped at the pole, with the question, and went on after a click.
    QVERIFY(!f.seams.doubtQuestions().isEmpty());
    const int firstDoubt = f.seams.doubtQuestions().first().frame;
    QVERIFY2(truth.frames[std::size_t(firstDoubt)].visible < 1,
             qPrintable(QString::number(firstDoubt)));
    QVERIFY(!placedOn.empty());

    const MeasurementDocument& d = w.document();
    const std::map<int, PointPosition> tracked = positions(d);
    QVERIFY(tracked.count(clipSpec.frames - 1)); // to the last frame
    for (const auto& [frame, p] : tracked) {
        const clipgen::FrameTruth& real = truth.frames[std::size_t(frame)];
        QVERIFY2(!real.hidden, qPrintable(QStringLiteral("frame %1 hidden").arg(frame)));
        QVERIFY2(distance(p.pixel, real.ball) <= 2.0,
                 qPrintable(QStringLiteral("frame %1 off by %2 px")
                                .arg(frame)
                                .arg(distance(p.pixel, real.ball))));
        const bool byHand = frame == 0 || std::count(placedOn.begin(), placedOn.end(), frame);
        QCOMPARE(p.automatic, !byHand);
    }

    // One "Annuler" takes the whole run back, "Rétablir" brings it again.
    trigger(w, "mnuAnnuler");
    QVERIFY(!d.hasPositions());
    trigger(w, "mnuRetablir");
    QCOMPARE(positions(d).size(), tracked.size());

    // A click by hand on a tracked frame replaces its point.
    const int handFrame = 30;
    showFrame(w, handFrame);
    const QPointF hand = truth.frames[handFrame].ball;
    clickSurface(w, shownAt(hand));
    QVERIFY(!d.position(handFrame, 1)->automatic);
    QVERIFY(distance(d.position(handFrame, 1)->pixel, hand) < 1);

    const QString path = f.folder() + QStringLiteral("/suivi.trx");
    f.seams.answerNextFile(path);
    trigger(w, "mnuEnregistrerSession");
    const std::map<int, PointPosition> saved = positions(d);
    MainWindowFixture g;
    g.window->show();
    QVERIFY(g.window->openSessionFile(path));
    QVERIFY(positions(g.window->document()) == saved);
}

void TrackingWindow::stopKeepsWhatWasTracked() {
    MainWindowFixture f;
    const OpenedClip clip = openPoleClip(f);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *f.window;
    f.seams.setDoubtAnswerer([](const TrackingQuestion&) { return Choice::Stop; });
    const QPointF start = clip.truth->frames[0].ball;
    trigger(w, "mnuSuiviAuto");
    dragOut(w, start, start + QPointF(clip.truth->ballRadius, 0));
    QTRY_VERIFY_WITH_TIMEOUT(!trackingUnderWay(w), 60000);
    QCOMPARE(f.seams.doubtQuestions().size(), 1);
    const int stoppedOn = f.seams.doubtQuestions().first().frame;
    const std::map<int, PointPosition> kept = positions(w.document());
    QCOMPARE(int(kept.size()), stoppedOn); // every frame before the question
    QCOMPARE(kept.rbegin()->first, stoppedOn - 1);
    QCOMPARE(w.frameShown(), stoppedOn);
    trigger(w, "mnuAnnuler");
    QVERIFY(!w.document().hasPositions());
}

void TrackingWindow::badChoicesAreRefused_data() {
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("lastFrame");
    QTest::addColumn<double>("radius"); // of the drag, picture pixels
    QTest::addColumn<QString>("says");
    QTest::newRow("radius under 3 px") << 12 << false << 1.0 << "rayon";
    QTest::newRow("radius over the picture") << 12 << false << 400.0 << "image";
    QTest::newRow("clip of one frame") << 1 << false << 0.0 << "qu'une image";
    QTest::newRow("started on the last frame") << 12 << true << 0.0 << "rien à suivre";
}

void TrackingWindow::badChoicesAreRefused() {
    QFETCH(int, frames);
    QFETCH(bool, lastFrame);
    QFETCH(double, radius);
    QFETCH(QString, says);
    MainWindowFixture f;
    const OpenedClip clip =
        openGeneratedClip(f, smallClipSpec(frames), QStringLiteral("small-%1.avi").arg(frames));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *f.window;
    showAtPercent(w, kPercent);
    if (lastFrame)
        showFrame(w, frames - 1);
    f.seams.failOnUnexpected(false);
    trigger(w, "mnuSuiviAuto");
    if (radius > 0) {
        QVERIFY(trackingUnderWay(w));
        const QPointF centre(80, 60);
        dragOut(w, centre, centre + QPointF(radius, 0));
        QVERIFY(trackingUnderWay(w)); // the same object is asked for again
        child<QToolButton>(w, "btnArreterSuivi")->click();
    }
    QVERIFY(!trackingUnderWay(w));
    QCOMPARE(f.seams.count(MessageKind::Warning), 1);
    QVERIFY2(f.seams.lastText().contains(says), qPrintable(f.seams.lastText()));
    QVERIFY(!w.document().hasPositions());
}

QTEST_MAIN(TrackingWindow)
#include "tracking_window.moc"
