// Points, origin and scale recorded at 100 % through the window stay what
// they are when the clip is shown at another size: the same positions and
// metres in the document and the table, the axes through the same picture
// point, every mark on the ball it was clicked on.
#include "app/main_window.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "geometry/display_size.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUndoStack>
#include <optional>

using namespace traxilo;
using namespace traxilo::test;

namespace {

constexpr int kFrames = 6;      // frames pointed
const QPoint kOrigin(200, 150); // even: a half size shows it on a whole pixel

// Everything a size change must leave alone.
struct Measures {
    std::vector<PointMark> marks;
    std::vector<FramePosition> metres;
    Calibration calibration;
    QStringList cells; // the table as shown
    int undoSteps = 0;

    static Measures of(const TForm1& w) {
        const MeasurementDocument& d = w.document();
        Measures m{d.marks(), {}, d.calibration(), tableCells(w), d.undoStack()->count()};
        for (const PointMark& mark : m.marks)
            m.metres.push_back(*d.metres(mark.frame, mark.point));
        return m;
    }
};

// The share of a row (or column) of `image` whose pixels are `rgb`.
double share(const QImage& image, bool row, int at, unsigned rgb) {
    const int n = row ? image.width() : image.height();
    int same = 0;
    for (int i = 0; i < n; ++i) {
        const QPoint p = row ? QPoint(i, at) : QPoint(at, i);
        same += (image.pixel(p) & 0xFFFFFFu) == rgb;
    }
    return double(same) / n;
}

bool ballColoured(QRgb c) {
    return qRed(c) > 150 && qGreen(c) < 120 && qBlue(c) < 100;
}

// The percent in force, as the clip's properties say it.
int percentShown(const TForm1& w) {
    const QString text = labelText(w, "lblAdapt");
    return text.section(QLatin1Char(' '), -1).chopped(1).toInt();
}

} // namespace

class DisplaySizeKeepsPoints : public QObject {
    Q_OBJECT
private slots:
    void keptAtEverySize();
};

void DisplaySizeKeepsPoints::keptAtEverySize() {
    setDecimalSeparator(QLatin1Char('.'));
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    clipgen::ClipSpec clipSpec = smallClipSpec(12);
    clipSpec.width = 640; // a ball large enough to be seen round its mark at half size
    clipSpec.height = 480;
    const OpenedClip clip =
        openGeneratedClip(fixture, clipSpec, QStringLiteral("display_size_keeps_points.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *fixture.window;
    const clipgen::ClipTruth& truth = *clip.truth;

    // Scale on the ruler, origin, then the ball on the first frames, at 100 %.
    scaleOnRuler(w, rounded(truth.rulerA), rounded(truth.rulerB), QStringLiteral("1"));
    clickBox(child<QRadioButton>(w, "rbChxOrig"));
    clickSurface(w, kOrigin);
    trigger(w, "popUpMnuModeAcquerir");
    for (int i = 0; i < kFrames; ++i)
        clickSurface(w, rounded(truth.frames[size_t(i)].ball));

    const Measures before = Measures::of(w);
    QCOMPARE(before.calibration.p1, QPointF(rounded(truth.rulerA)));
    QCOMPARE(before.calibration.p2, QPointF(rounded(truth.rulerB)));
    QCOMPARE(QPointF(before.calibration.Xo, before.calibration.Yo), QPointF(kOrigin));
    QCOMPARE(int(before.marks.size()), kFrames);
    QVERIFY(before.calibration.scaleDefined);

    struct Step {
        const char* action;
        std::optional<int> typed; // the percent typed in the dialog
    };
    const Step steps[] = {
        {"mnuImaAutre", 200}, {"mnuImaAutre", 50}, {"mnuImaAdapter", {}}, {"mnuIma100", {}}};
    auto* box = child<QDialog>(w, "tailleImaBox");
    QVERIFY(box);
    int shownFrame = 0;
    for (const Step& step : steps) {
        const int previous = percentShown(w);
        runModal(
            box, [&] { trigger(w, step.action); },
            [box, &step] {
                if (step.typed) {
                    auto* field = box->findChild<QLineEdit*>(QStringLiteral("pnlPc"));
                    field->selectAll();
                    QTest::keyClicks(field, QString::number(*step.typed));
                }
                QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("OKBtn")),
                                  Qt::LeftButton);
            });
        const int percent = percentShown(w);
        const QString where = QStringLiteral("%1 at %2%").arg(step.action).arg(percent);
        const auto context = [&](const QString& what) {
            return (where + ": " + what).toLocal8Bit();
        };
        if (step.typed)
            QCOMPARE(percent, *step.typed);
        else if (QByteArray(step.action) == "mnuIma100")
            QCOMPARE(percent, 100);
        else
            QVERIFY2(percent != previous,
                     context(QStringLiteral("the fitted size is another")).constData());
        const long double f = percent / 100.0L;
        const QImage& surface = surfaceImage(w);
        QCOMPARE(surface.size(), displayedSize(truth.shownSize, f));

        // Nothing asked, no step to undo, every value as it was.
        QCOMPARE(fixture.seams.messages().size(), 0);
        const Measures after = Measures::of(w);
        QCOMPARE(after.undoSteps, before.undoSteps);
        QVERIFY2(after.calibration == before.calibration,
                 context(QStringLiteral("calibration")).constData());
        QCOMPARE(after.marks.size(), before.marks.size());
        for (size_t i = 0; i < before.marks.size(); ++i) {
            QCOMPARE(after.marks[i].pixel, before.marks[i].pixel);
            QCOMPARE(double(after.metres[i].x), double(before.metres[i].x));
            QCOMPARE(double(after.metres[i].y), double(before.metres[i].y));
        }
        QCOMPARE(after.cells, before.cells);

        // The scale points' markers beside the picture follow them.
        const QPoint p1 = toDisplayPixel(before.calibration.p1, f);
        const QPoint p2 = toDisplayPixel(before.calibration.p2, f);
        QCOMPARE(widgetNamed(w, "indicX1")->x(), p1.x() + 3);
        QCOMPARE(widgetNamed(w, "indicY2")->y(), p2.y() + 3);

        // The axes cross at the origin as shown: one white line, an edge
        // each side.
        const QPoint o = toDisplayPixel(QPointF(kOrigin), f);
        for (bool row : {true, false}) {
            const int at = row ? o.y() : o.x();
            QVERIFY2(share(surface, row, at, 0xFFFFFF) > 0.8,
                     context(QStringLiteral("axis")).constData());
            QVERIFY2(share(surface, row, at - 1, 0) > 0.8,
                     context(QStringLiteral("axis edge")).constData());
            QVERIFY2(share(surface, row, at + 1, 0) > 0.8,
                     context(QStringLiteral("axis edge")).constData());
        }

        // Every mark at its place as shown; on the frame shown, the ball
        // round its own mark (from frame 3 on, the marks of the falling ball
        // are far enough apart not to touch).
        shownFrame = shownFrame > 3 ? shownFrame - 1 : kFrames - 1;
        showFrame(w, shownFrame);
        QCOMPARE(clipgen::readFrameIndex(surfaceImage(w)), shownFrame);
        for (const PointMark& mark : before.marks) {
            const QPoint at = toDisplayPixel(mark.pixel, f);
            QVERIFY2(surfaceRgb(w, at) == 0xFFFFFF,
                     context(QStringLiteral("mark %1").arg(mark.frame)).constData());
        }
        const QPoint mark = toDisplayPixel(before.marks[size_t(shownFrame)].pixel, f);
        for (QPoint diagonal : {QPoint(2, 2), QPoint(-2, 2), QPoint(2, -2), QPoint(-2, -2)}) {
            QVERIFY2(ballColoured(surfaceImage(w).pixel(mark + diagonal)),
                     context(QStringLiteral("ball round mark %1").arg(shownFrame)).constData());
        }
    }
}

QTEST_MAIN(DisplaySizeKeepsPoints)
#include "display_size_keeps_points.moc"
