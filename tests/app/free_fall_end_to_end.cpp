// A whole measurement on a generated free fall: calibrate with the ruler
// drawn in the scene, place the origin, click the ball on every frame, then
// check the table against the clip's truth and g from a parabola fit. Then
// the measurement leaves through a session file and comes back whole.
#include "app/main_window.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "support/clip_opening.h"
#include "support/measure_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <cmath>

using namespace traxilo;
using namespace traxilo::test;

namespace {

// Least-squares y = a t^2 + b t + c; returns a.
double quadraticCoefficient(const std::vector<double>& t, const std::vector<double>& y) {
    // Normal equations, solved by Cramer's rule.
    double s[5] = {0, 0, 0, 0, 0};
    double r[3] = {0, 0, 0};
    for (size_t i = 0; i < t.size(); ++i) {
        double p = 1;
        for (int k = 0; k < 5; ++k) {
            s[k] += p;
            if (k < 3)
                r[k] += p * y[i];
            p *= t[i];
        }
    }
    // Matrix [[s4 s3 s2] [s3 s2 s1] [s2 s1 s0]] (a b c) = (r2 r1 r0).
    auto det = [](double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    double m[3][3] = {{s[4], s[3], s[2]}, {s[3], s[2], s[1]}, {s[2], s[1], s[0]}};
    double ma[3][3] = {{r[2], s[3], s[2]}, {r[1], s[2], s[1]}, {r[0], s[1], s[0]}};
    return det(ma) / det(m);
}

clipgen::ClipSpec freeFallSpec() {
    clipgen::ClipSpec clipSpec;
    clipSpec.width = 320;
    clipSpec.height = 240;
    clipSpec.fpsNum = 25;
    clipSpec.frames = 18;
    clipSpec.g = 9.81;
    return clipSpec;
}

} // namespace

class FreeFallEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(QLatin1Char('.')); }
    void measuresTheFall();
    void subPixelPositionThroughASessionFile();
};

void FreeFallEndToEnd::measuresTheFall() {
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    const clipgen::ClipSpec clipSpec = freeFallSpec();
    const OpenedClip clip = openGeneratedClip(fixture, clipSpec, QStringLiteral("free_fall.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *fixture.window;
    const clipgen::ClipTruth& truth = *clip.truth;
    QCOMPARE(int(truth.frames.size()), clipSpec.frames);

    const MeasurementDocument& document = w.document();

    // More digits than the default, so the check is on the pointing and not
    // on the rounding of three digits.
    auto* digits = child<UpDown>(w, "udFmt_xy");
    QTest::mouseClick(digits->upButton(), Qt::LeftButton);
    QTest::mouseClick(digits->upButton(), Qt::LeftButton);
    QCOMPARE(document.xyDigits(), 5);

    // Scale: the ruler's two ends, then its length.
    trigger(w, "popUpMnuModeEtalonner");
    auto* scaleMode = child<QRadioButton>(w, "rbEtalonSimu");
    clickBox(scaleMode);
    QVERIFY(scaleMode->isChecked());
    QVERIFY(child<QCheckBox>(w, "chkBoxPt1")->isChecked());
    const QPoint a = rounded(truth.rulerA);
    const QPoint b = rounded(truth.rulerB);
    clickSurface(w, a);
    clickBox(child<QCheckBox>(w, "chkBoxPt2"));
    QVERIFY(child<QCheckBox>(w, "chkBoxPt2")->isChecked());
    clickSurface(w, b);
    QCOMPARE(document.calibration().p1, QPointF(a));
    QCOMPARE(document.calibration().p2, QPointF(b));
    auto* distance = child<QLineEdit>(w, "edSi");
    distance->setFocus();
    distance->selectAll();
    QTest::keyClicks(distance, QString::number(truth.rulerLengthM, 'g', 10));
    scaleMode->setFocus(); // leaves the field
    const double pixelDistance = std::hypot(double(a.x() - b.x()), double(a.y() - b.y()));
    const double s = double(document.calibration().sensitivity);
    QVERIFY2(std::fabs(s - truth.rulerLengthM / pixelDistance) < 1e-4 * s,
             qPrintable(QString::number(s)));

    // Origin where the ball starts.
    const QPoint origin = rounded(truth.frames[0].ball);
    auto* originMode = child<QRadioButton>(w, "rbChxOrig");
    clickBox(originMode);
    QVERIFY(originMode->isChecked());
    QVERIFY(!scaleMode->isChecked());
    clickSurface(w, origin);
    QCOMPARE(document.calibration().Xo, origin.x());
    QCOMPARE(document.calibration().Yo, origin.y());

    // Pointing: one click per frame, the clip steps on by itself.
    trigger(w, "popUpMnuModeAcquerir");
    QVERIFY(!originMode->isChecked());
    for (int i = 0; i < clipSpec.frames; ++i) {
        QCOMPARE(w.frameShown(), i);
        QCOMPARE(shownFrame(w), i);
        clickSurface(w, rounded(truth.frames[size_t(i)].ball));
    }
    QCOMPARE(w.frameShown(), clipSpec.frames - 1); // the last frame does not move on

    // The table as the user reads it.
    const StringGrid* table = child<StringGrid>(w, "StringGrid1");
    std::vector<double> t;
    std::vector<double> y;
    for (int i = 0; i < clipSpec.frames; ++i) {
        const int row = i + 1;
        const QPointF ball = truth.frames[size_t(i)].ball;
        const double x = parse(table->text(1, row));
        const double yy = parse(table->text(2, row));
        const double tt = parse(table->text(0, row));
        QVERIFY2(std::fabs(x - (ball.x() - origin.x()) * s) <= s,
                 qPrintable(QStringLiteral("row %1 x %2").arg(row).arg(x)));
        QVERIFY2(std::fabs(yy - (origin.y() - ball.y()) * s) <= s,
                 qPrintable(QStringLiteral("row %1 y %2").arg(row).arg(yy)));
        QVERIFY(std::fabs(tt - truth.frames[size_t(i)].t) < 1e-3);
        t.push_back(tt);
        y.push_back(yy);
    }
    const double g = -2 * quadraticCoefficient(t, y);
    QVERIFY2(std::fabs(g - truth.g) < 0.02 * truth.g, qPrintable(QString::number(g)));
    QCOMPARE(fixture.seams.count(MessageKind::Error), 0);
}

void FreeFallEndToEnd::subPixelPositionThroughASessionFile() {
    QTemporaryDir scratch;
    const QString session = scratch.filePath(QStringLiteral("chute.trx"));
    const QPointF subPixel(100.25, 50.75); // as a tracker would find it
    QStringList shown;
    {
        MainWindowFixture fixture;
        QVERIFY(fixture.isValid());
        const OpenedClip clip =
            openGeneratedClip(fixture, freeFallSpec(), QStringLiteral("free_fall.avi"));
        QVERIFY2(clip.ok(), qPrintable(clip.error));
        TForm1& w = *fixture.window;
        MeasurementDocument& document = w.document();
        clickSurface(w, QPoint(40, 30)); // a click beside it, whole pixels
        document.undoStack()->push(recordPosition(&document, 3, 1, PointPosition{subPixel}));
        shown = tableCells(w);
        fixture.seams.answerNextFile(session);
        trigger(w, "mnuEnregistrerSession");
        QCOMPARE(fixture.seams.messages().size(), 0);
    }
    // Another run of the program reads it back.
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    TForm1& w = *fixture.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fixture.seams.answerNextFile(session);
    trigger(w, "mnuOuvrirSession");
    QCOMPARE(fixture.seams.messages().size(), 0);
    const MeasurementDocument& document = w.document();
    QVERIFY(document.hasClip());
    QCOMPARE(document.positionCount(), 2);
    QCOMPARE(document.position(3, 1)->pixel, subPixel); // exactly, not to the pixel
    QCOMPARE(document.position(0, 1)->pixel, QPointF(40, 30));
    QCOMPARE(tableCells(w), shown);
}

QTEST_MAIN(FreeFallEndToEnd)
#include "free_fall_end_to_end.moc"
