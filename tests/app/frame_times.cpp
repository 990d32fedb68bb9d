// Each frame's own time: from the timestamps the file gives it, unchanged
// for evenly spaced clips, right for a variable frame rate and, once the
// capture rate is known, for slow motion.
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "clip/frame_timing.h"
#include "common/number_format.h"
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

// Calibrates on the scene's ruler, puts the origin at the ball's start and
// clicks the ball on every `step`-th frame, the clip moving on by itself.
void pointTheFall(TForm1& w, const clipgen::ClipTruth& truth, int step) {
    w.popUpMnuModeEtalonnerClick();
    clickBox(w.rbEtalonSimu);
    clickSurface(w, rounded(truth.rulerA));
    clickBox(w.chkBoxPt2);
    clickSurface(w, rounded(truth.rulerB));
    w.edSi->setFocus();
    w.edSi->selectAll();
    QTest::keyClicks(w.edSi, QStringLiteral("1"));
    w.rbEtalonSimu->setFocus();
    clickBox(w.rbChxOrig);
    clickSurface(w, rounded(truth.frames[0].ball));
    w.popUpMnuModeAcquerirClick();
    for (int i = 1; i < step; ++i)
        QTest::mouseClick(w.udPas->upButton(), Qt::LeftButton);
    for (std::size_t i = 0; i < truth.frames.size(); i += std::size_t(step))
        clickSurface(w, rounded(truth.frames[i].ball));
}

// g from the table's t and y, and from y against frame number x mean period.
struct Fits {
    double g = 0;
    double gByMeanPeriod = 0;
};

Fits fitTable(const TForm1& w) {
    std::vector<double> t, y, tMean;
    for (int row = 1; row <= w.tables.frameCount(); ++row) {
        if (w.tables.MeasureTable.cell(2, row).isEmpty())
            continue;
        t.push_back(parse(w.tables.MeasureTable.cell(0, row)));
        y.push_back(parse(w.tables.MeasureTable.cell(2, row)));
        tMean.push_back((row - 1) * double(w.ClipInfo.framePeriod));
    }
    return {fittedG(t, y), fittedG(tMean, y)};
}

QStringList timeColumn(const TForm1& w) {
    QStringList cells;
    for (int row = 1; row <= w.tables.frameCount(); ++row)
        cells << w.tables.MeasureTable.cell(0, row);
    return cells;
}

} // namespace

class FrameTimes : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(QLatin1Char('.')); }
    void timingOfTimestamps_data();
    void timingOfTimestamps();
    void evenlySpacedClipsKeepTheirTimes();
    void variableRateFall();
    void slowMotion();
};

void FrameTimes::timingOfTimestamps_data() {
    QTest::addColumn<std::vector<int64_t>>("stamps");
    QTest::addColumn<int64_t>("duration");
    QTest::addColumn<int>("tickDen");
    QTest::addColumn<bool>("even");
    QTest::addColumn<bool>("variable");
    QTest::addColumn<std::vector<int>>("irregular");

    // Milliseconds at 30 per second: 33 and 34 ms, within one tick.
    QTest::newRow("ms at 30") << std::vector<int64_t>{0, 33, 67, 100, 133, 167} << int64_t(200)
                              << 1000 << true << false << std::vector<int>{};
    // 30 then 60 per second (1/90000 s).
    QTest::newRow("30 then 60") << std::vector<int64_t>{0, 3000, 6000, 7500, 9000, 10500}
                                << int64_t(12000) << 90000 << false << true
                                << std::vector<int>{1, 2};
    // A little jitter: not evenly spaced, but no warning.
    QTest::newRow("jitter") << std::vector<int64_t>{0, 3000, 6100, 9000, 12050} << int64_t(15000)
                            << 90000 << false << false << std::vector<int>{};
    // A dropped frame: one interval twice as long.
    QTest::newRow("dropped") << std::vector<int64_t>{0, 1, 2, 4, 5} << int64_t(6) << 25 << false
                             << true << std::vector<int>{3};
    // Repeated timestamps: intervals of zero.
    QTest::newRow("repeated") << std::vector<int64_t>{0, 10, 10, 20, 30} << int64_t(40) << 300
                              << false << true << std::vector<int>{2};
}

void FrameTimes::timingOfTimestamps() {
    QFETCH(std::vector<int64_t>, stamps);
    QFETCH(int64_t, duration);
    QFETCH(int, tickDen);
    QFETCH(bool, even);
    QFETCH(bool, variable);
    QFETCH(std::vector<int>, irregular);
    const FrameTiming timing = analyseFrameTiming(stamps, duration, 1, tickDen);
    QCOMPARE(timing.evenlySpaced, even);
    QCOMPARE(timing.variableRate, variable);
    QCOMPARE(timing.irregularFrames, irregular);
    QCOMPARE(int(timing.times.size()), int(stamps.size()));
    QCOMPARE(timing.times.back(), double(stamps.back() - stamps.front()) / tickDen);
}

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
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(w.udFmt_t->upButton(), Qt::LeftButton); // 6 decimals
        QStringList cells = timeColumn(w);
        w.udt0->setPosition(5);
        w.udt0Click();
        w.udt0MouseUp();
        cells << timeColumn(w);
        QStringList formula;
        for (int t0 : {1, 5}) {
            for (int row = 1; row <= 40; ++row)
                formula << (row < t0 ? QString()
                                     : FormatTime(QStringLiteral("0.000000"),
                                                  (row - t0) * w.ClipInfo.framePeriod));
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
    QCOMPARE(w.tables.MeasureTable.cell(0, 31), QStringLiteral("1.000"));
    QCOMPARE(w.tables.MeasureTable.cell(0, 32), QStringLiteral("1.017"));

    // Every second frame, with the step; the buttons and keys step by it too.
    pointTheFall(w, *clip.truth, 2);
    QCOMPARE(w.tables.MeasureTable.cell(2, 2), QString()); // frame 2 was stepped over
    w.mpPositionner(0);
    w.bbtnSui->click();
    QCOMPARE(w.currentFrame, 2);
    QTest::keyClick(w.PaintBox1, Qt::Key_Right);
    QCOMPARE(w.currentFrame, 4);
    w.bbtnPre->click();
    QCOMPARE(w.currentFrame, 2);
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
        if (said) {
            QCOMPARE(w.edCadencePrise->text(), QStringLiteral("240"));
            QCOMPARE(w.lblCadence->text().trimmed(),
                     QStringLiteral("prise de vue : 240 images / s"));
            const double gSaid = fitTable(w).g;
            QVERIFY2(std::abs(gSaid - g) < 0.02 * g, qPrintable(QString::number(gSaid)));
            continue;
        }
        QCOMPARE(w.edCadencePrise->text(), QStringLiteral("30"));
        QVERIFY(w.lblCadence->text().isEmpty());
        const double gFile = fitTable(w).g;
        QVERIFY2(std::abs(gFile * 64 - g) < 0.02 * g, qPrintable(QString::number(gFile)));

        // Refused in red, the times as they were.
        const QString before = w.tables.MeasureTable.cell(0, 4);
        for (const char* bad : {"0", "-5", "abc", "1e9"}) {
            QGuiApplication::clipboard()->setText(QString::fromLatin1(bad));
            w.edCadencePrise->selectAll();
            QTest::keyClick(w.edCadencePrise, Qt::Key_V, Qt::ControlModifier); // pasted
            QCOMPARE(w.edCadencePrise->palette().color(QPalette::Base), QColor(255, 0, 0));
            QCOMPARE(w.tables.MeasureTable.cell(0, 4), before);
        }
        // Typed with a comma, under a full-stop locale.
        w.edCadencePrise->selectAll();
        QTest::keyClicks(w.edCadencePrise, QStringLiteral("240,0"));
        QCOMPARE(w.edCadencePrise->text(), QStringLiteral("240.0"));
        QVERIFY(w.edCadencePrise->palette().color(QPalette::Base) != QColor(255, 0, 0));
        // 4.17 ms apart: five decimals keep them apart.
        QCOMPARE(w.tables.MeasureTable.cell(0, 4), QStringLiteral("0.01250"));
        const double gTyped = fitTable(w).g;
        QVERIFY2(std::abs(gTyped - g) < 0.02 * g, qPrintable(QString::number(gTyped)));
        QCOMPARE(w.lblCadence->text().trimmed(), QStringLiteral("prise de vue : 240 images / s"));
    }
}

QTEST_MAIN(FrameTimes)
#include "frame_times.moc"
