// A whole measurement on a generated free fall: calibrate with the ruler
// drawn in the scene, place the origin, click the ball on every frame, then
// check the table against the clip's truth and g from a parabola fit.
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "support/measure_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
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

} // namespace

class FreeFallEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(QLatin1Char('.')); }
    void measuresTheFall();
};

void FreeFallEndToEnd::measuresTheFall() {
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    clipgen::ClipSpec clipSpec;
    clipSpec.width = 320;
    clipSpec.height = 240;
    clipSpec.fpsNum = 25;
    clipSpec.frames = 18;
    clipSpec.g = 9.81;
    const OpenedClip clip = openGeneratedClip(fixture, clipSpec, QStringLiteral("free_fall.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *fixture.window;
    const clipgen::ClipTruth& truth = *clip.truth;
    QCOMPARE(int(truth.frames.size()), clipSpec.frames);

    // More digits than the default, so the check is on the pointing and not
    // on the rounding of three digits.
    QTest::mouseClick(w.udFmt_xy->upButton(), Qt::LeftButton);
    QTest::mouseClick(w.udFmt_xy->upButton(), Qt::LeftButton);
    QCOMPARE(w.xyDigits(), 5);

    // Scale: the ruler's two ends, then its length.
    w.popUpMnuModeEtalonnerClick();
    clickBox(w.rbEtalonSimu);
    QVERIFY(w.rbEtalonSimu->isChecked());
    QVERIFY(w.chkBoxPt1->isChecked());
    const QPoint a = rounded(truth.rulerA);
    const QPoint b = rounded(truth.rulerB);
    clickSurface(w, a);
    clickBox(w.chkBoxPt2);
    QVERIFY(w.chkBoxPt2->isChecked());
    clickSurface(w, b);
    QCOMPARE(w.Calibration.p1, a);
    QCOMPARE(w.Calibration.p2, b);
    w.edSi->setFocus();
    w.edSi->selectAll();
    QTest::keyClicks(w.edSi, QString::number(truth.rulerLengthM, 'g', 10));
    w.rbEtalonSimu->setFocus(); // leaves the field
    const double pixelDistance = std::hypot(double(a.x() - b.x()), double(a.y() - b.y()));
    const double s = double(w.Calibration.sensitivity);
    QVERIFY2(std::fabs(s - truth.rulerLengthM / pixelDistance) < 1e-4 * s,
             qPrintable(QString::number(s)));

    // Origin where the ball starts.
    const QPoint origin = rounded(truth.frames[0].ball);
    clickBox(w.rbChxOrig);
    QVERIFY(w.rbChxOrig->isChecked());
    QVERIFY(!w.rbEtalonSimu->isChecked());
    clickSurface(w, origin);
    QCOMPARE(w.Calibration.Xo, origin.x());
    QCOMPARE(w.Calibration.Yo, origin.y());

    // Pointing: one click per frame, the clip steps on by itself.
    w.popUpMnuModeAcquerirClick();
    QVERIFY(!w.rbChxOrig->isChecked());
    QCOMPARE(w.currentFrame, 0);
    for (int i = 0; i < clipSpec.frames; ++i) {
        QCOMPARE(w.currentFrame, i);
        QCOMPARE(clipgen::readFrameIndex(w.PaintBox1->image()), i);
        clickSurface(w, rounded(truth.frames[size_t(i)].ball));
    }
    QCOMPARE(w.currentFrame, clipSpec.frames - 1); // the last frame does not move on

    std::vector<double> t;
    std::vector<double> y;
    for (int i = 0; i < clipSpec.frames; ++i) {
        const int row = i + 1;
        const QPointF ball = truth.frames[size_t(i)].ball;
        const double x = parse(w.tables.MeasureTable.cell(1, row));
        const double yy = parse(w.tables.MeasureTable.cell(2, row));
        const double tt = parse(w.tables.MeasureTable.cell(0, row));
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

QTEST_MAIN(FreeFallEndToEnd)
#include "free_fall_end_to_end.moc"
