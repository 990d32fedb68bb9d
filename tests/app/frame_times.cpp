// Each frame's own time in the table, from the clip opened: unchanged for
// evenly spaced clips, right for a variable frame rate and, once the capture
// rate is known, for slow motion. How timestamps become times is tested in
// tests/clip/frame_timing.cpp, how the document writes them in
// tests/document/measurement_document.cpp.
#include "app/main_window.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <cmath>

using namespace traxilo;
using namespace traxilo::test;
using clipgen::ClipSpec;

namespace {

// g from the least-squares parabola y = c + b t - g t^2 / 2.
double fittedG(const std::vector<double>& t, const std::vector<double>& y) {
    double s[5] = {0, 0, 0, 0, 0};
    double r[3] = {0, 0, 0};
    for (std::size_t i = 0; i < t.size(); ++i) {
        double p = 1;
        for (int k = 0; k < 5; ++k) {
            s[k] += p;
            if (k < 3)
                r[k] += p * y[i];
            p *= t[i];
        }
    }
    auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double m[3][3] = {{s[4], s[3], s[2]}, {s[3], s[2], s[1]}, {s[2], s[1], s[0]}};
    const double ma[3][3] = {{r[2], s[3], s[2]}, {r[1], s[2], s[1]}, {r[0], s[1], s[0]}};
    return -2 * det(ma) / det(m);
}

void upBy(const TForm1& w, const char* arrows, int clicks) {
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(required<UpDown>(w, arrows)->upButton(), Qt::LeftButton);
}

// Calibrates on the scene's ruler, puts the origin at the ball's start and
// clicks the ball on every `step`-th frame, the clip moving on by itself.
void pointTheFall(TForm1& w, const clipgen::ClipTruth& truth, int step) {
    scaleOnRuler(w, rounded(truth.rulerA), rounded(truth.rulerB), QStringLiteral("1"));
    clickBox(required<QRadioButton>(w, "rbChxOrig"));
    clickSurface(w, rounded(truth.frames[0].ball));
    trigger(w, "popUpMnuModeAcquerir");
    upBy(w, "udPas", step - 1);
    for (std::size_t i = 0; i < truth.frames.size(); i += std::size_t(step))
        clickSurface(w, rounded(truth.frames[i].ball));
}

QString cell(const TForm1& w, int col, int row) {
    return required<StringGrid>(w, "StringGrid1")->text(col, row);
}

// g from the table's t and y, and from y against frame number x mean period.
struct Fits {
    double g = 0;
    double gByMeanPeriod = 0;
};

Fits fitTable(const TForm1& w) {
    std::vector<double> t, y, tMean;
    for (int row = 1; row <= w.document().frameCount(); ++row) {
        if (cell(w, 2, row).isEmpty())
            continue;
        t.push_back(parse(cell(w, 0, row)));
        y.push_back(parse(cell(w, 2, row)));
        tMean.push_back((row - 1) * double(w.document().clip().period));
    }
    return {fittedG(t, y), fittedG(tMean, y)};
}

QStringList timeColumn(const TForm1& w) {
    QStringList cells;
    for (int row = 1; row <= w.document().frameCount(); ++row)
        cells << cell(w, 0, row);
    return cells;
}

} // namespace

class FrameTimes : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(QLatin1Char('.')); }
    void evenlySpacedClipsKeepTheirTimes();
    void variableRateFall();
    void slowMotion();
};

// Clips whose frames are evenly spaced show the times of frame number x
// period, to the last decimal and from any time origin, whatever their
// timestamps: milliseconds at 30 per second (rescaled by the MP4 muxer), or
// an AVI copied from MP4 with an empty chunk after each frame.
void FrameTimes::evenlySpacedClipsKeepTheirTimes() {
    ClipSpec regular = smallClipSpec(40);
    regular.fpsNum = 30;
    ClipSpec milliseconds = regular;
    milliseconds.codec = clipgen::Codec::H264;
    milliseconds.container = clipgen::Container::Mp4;
    milliseconds.tickRate = 1000;
    ClipSpec remuxed = *clipgen::recipe("hevc-avi-remux");
    QCOMPARE(remuxed.frames, 40);

    QList<QStringList> columns;
    for (const auto& [clipSpec, name] : {std::pair{regular, QStringLiteral("even_30.avi")},
                                         std::pair{milliseconds, QStringLiteral("even_ms.mp4")},
                                         std::pair{remuxed, QStringLiteral("even_remux.avi")}}) {
        MainWindowFixture fixture;
        QVERIFY(fixture.isValid());
        const OpenedClip clip = openGeneratedClip(fixture, clipSpec, name);
        QVERIFY2(clip.ok(), qPrintable(clip.error));
        TForm1& w = *fixture.window;
        upBy(w, "udFmt_t", 3); // 6 decimals
        QStringList cells = timeColumn(w);
        w.document().setTimeOrigin(4);
        cells << timeColumn(w);
        QStringList formula;
        for (int t0 : {1, 5}) {
            for (int row = 1; row <= 40; ++row)
                formula << (row < t0 ? QString()
                                     : FormatTime(QStringLiteral("0.000000"),
                                                  (row - t0) * w.document().clip().period));
        }
        QCOMPARE(cells, formula);
        columns << cells;
        QCOMPARE(fixture.seams.messages().size(), 0); // no warning
    }
    QCOMPARE(columns[0][1], QStringLiteral("0.033333"));
    QCOMPARE(columns[2], columns[0]);
}

// 1 s at 30 then 1 s at 60 images per second: said once, listed on the
// properties page, and g from each frame's own time is right, where frame
// number x mean period is far off.
void FrameTimes::variableRateFall() {
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    fixture.seams.answerNext(true); // the warning
    const OpenedClip clip =
        openGeneratedClip(fixture, *clipgen::recipe("phone-vfr"), QStringLiteral("vfr.mp4"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *fixture.window;
    QCOMPARE(fixture.seams.count(MessageKind::Warning), 1);
    QVERIFY2(fixture.seams.lastText().contains(QStringLiteral("de 16.7 ms à 33.3 ms")),
             qPrintable(fixture.seams.lastText()));
    QCOMPARE(labelText(w, "lblIntervalles"), QStringLiteral("Intervalles : de 16.7 ms à 33.3 ms"));
    QVERIFY2(labelText(w, "lblIrregulieres")
                 .startsWith(QStringLiteral("Images irrégulières : 2, 3, 4,")),
             qPrintable(labelText(w, "lblIrregulieres")));
    QCOMPARE(cell(w, 0, 31), QStringLiteral("1.000"));
    QCOMPARE(cell(w, 0, 32), QStringLiteral("1.017"));

    // Every second frame, with the step; the buttons and keys step by it too.
    pointTheFall(w, *clip.truth, 2);
    QCOMPARE(cell(w, 2, 2), QString()); // frame 2 was stepped over
    required<QToolButton>(w, "bbtnDeb")->click();
    required<QToolButton>(w, "bbtnSui")->click();
    QCOMPARE(frameShown(w), 2);
    QTest::keyClick(required<QWidget>(w, "PaintBox1"), Qt::Key_Right);
    QCOMPARE(frameShown(w), 4);
    required<QToolButton>(w, "bbtnPre")->click();
    QCOMPARE(frameShown(w), 2);
    const Fits fits = fitTable(w);
    const double g = clip.truth->g;
    QVERIFY2(std::abs(fits.g - g) < 0.02 * g, qPrintable(QString::number(fits.g)));
    QVERIFY2(std::abs(fits.gByMeanPeriod - g) > 0.10 * g,
             qPrintable(QString::number(fits.gByMeanPeriod)));
}

// Filmed at 240 and stored at 30 per second: the capture rate read from the
// file, or typed, makes the times eight times shorter and g right.
void FrameTimes::slowMotion() {
    ClipSpec unsaid = *clipgen::recipe("phone-slowmo");
    unsaid.writeCaptureRate = false;
    for (const bool said : {true, false}) {
        MainWindowFixture fixture;
        QVERIFY(fixture.isValid());
        const OpenedClip clip = openGeneratedClip(
            fixture, said ? *clipgen::recipe("phone-slowmo") : unsaid,
            said ? QStringLiteral("slowmo_said.mp4") : QStringLiteral("slowmo.mp4"));
        QVERIFY2(clip.ok(), qPrintable(clip.error));
        TForm1& w = *fixture.window;
        const double g = clip.truth->g;
        pointTheFall(w, *clip.truth, 3);
        auto* rate = required<QLineEdit>(w, "edCadencePrise");
        if (said) {
            QCOMPARE(rate->text(), QStringLiteral("240"));
            QCOMPARE(labelText(w, "lblCadence").trimmed(),
                     QStringLiteral("prise de vue : 240 images / s"));
            const double gSaid = fitTable(w).g;
            QVERIFY2(std::abs(gSaid - g) < 0.02 * g, qPrintable(QString::number(gSaid)));
            continue;
        }
        QCOMPARE(rate->text(), QStringLiteral("30"));
        QVERIFY(labelText(w, "lblCadence").isEmpty());
        const double gFile = fitTable(w).g;
        QVERIFY2(std::abs(gFile * 64 - g) < 0.02 * g, qPrintable(QString::number(gFile)));

        // Refused in red, the times as they were.
        const QString before = cell(w, 0, 4);
        rate->setFocus();
        for (const char* bad : {"0", "-5", "abc", "1e9"}) {
            QGuiApplication::clipboard()->setText(QString::fromLatin1(bad));
            rate->selectAll();
            QTest::keyClick(rate, Qt::Key_V, Qt::ControlModifier); // pasted
            QCOMPARE(rate->palette().color(QPalette::Base), QColor(255, 0, 0));
            QCOMPARE(cell(w, 0, 4), before);
        }
        // Typed with a comma, under a full-stop locale.
        rate->selectAll();
        QTest::keyClicks(rate, QStringLiteral("240,0"));
        QCOMPARE(rate->text(), QStringLiteral("240.0"));
        QVERIFY(rate->palette().color(QPalette::Base) != QColor(255, 0, 0));
        // 4.17 ms apart: five decimals keep them apart.
        QCOMPARE(cell(w, 0, 4), QStringLiteral("0.01250"));
        const double gTyped = fitTable(w).g;
        QVERIFY2(std::abs(gTyped - g) < 0.02 * g, qPrintable(QString::number(gTyped)));
        QCOMPARE(labelText(w, "lblCadence").trimmed(),
                 QStringLiteral("prise de vue : 240 images / s"));
    }
}

QTEST_MAIN(FrameTimes)
#include "frame_times.moc"
