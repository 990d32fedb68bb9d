// Every kind of change of the measurements, done, undone and redone on a
// document without a window.
#include "document/document_commands.h"
#include "document/measurement_document.h"

#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>
#include <functional>

using namespace traxilo;

namespace {

// Everything a change may touch, to compare before, after, undone, redone.
struct State {
    std::vector<PointMark> marks;
    Calibration calibration;
    QString distance;
    int timeOrigin = 0;
    int points = 0;
    PointStyles styles;
    int markSize = 0;
    std::optional<long double> captureRate;
    int decimals = 0;
    QStringList times;

    static State of(const MeasurementDocument& d) {
        State s{d.marks(),  d.calibration(), d.distanceText(), d.timeOrigin(),   d.pointsPerFrame(),
                d.styles(), d.markSize(),    d.captureRate(),  d.timeDecimals(), {}};
        for (int f = 0; f < d.frameCount(); ++f)
            s.times << d.timeText(f);
        return s;
    }
    bool operator==(const State& o) const {
        if (marks.size() != o.marks.size())
            return false;
        for (size_t i = 0; i < marks.size(); ++i)
            if (marks[i].frame != o.marks[i].frame || marks[i].point != o.marks[i].point ||
                marks[i].pixel != o.marks[i].pixel || marks[i].automatic != o.marks[i].automatic)
                return false;
        return calibration == o.calibration && distance == o.distance &&
               timeOrigin == o.timeOrigin && points == o.points && styles == o.styles &&
               markSize == o.markSize && captureRate == o.captureRate && decimals == o.decimals &&
               times == o.times;
    }
};

// A 30-frame clip at 25 frames per second, two points, a few positions.
void prepare(MeasurementDocument& d) {
    d.openClip(
        {QStringLiteral("/clips/a.avi"), 30, QSize(320, 240), QStringLiteral("MJPG"), 0.04L, {}});
    d.setPointsPerFrame(2);
    for (int f = 0; f < 10; ++f)
        for (int k = 1; k <= 2; ++k)
            d.applyPositions({{f, k, std::nullopt, PointPosition{QPointF(10 * f + k, 5.5 * k)}}},
                             true);
    d.undoStack()->clear();
}

using Change = std::function<QUndoCommand*(MeasurementDocument*)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class DocumentUndo : public QObject {
    Q_OBJECT
private slots:
    void eachChange_data();
    void eachChange();
    void typedValuesMergeWithinOneEdit();
    void trackingRunIsOneStep();
    void openingStartsANewHistory();
};

void DocumentUndo::eachChange_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("signal");
    QTest::newRow("record a point") << Change([](MeasurementDocument* d) {
        return recordPosition(d, 20, 1, {QPointF(100.25, 50.75)});
    }) << "positionsChanged";
    QTest::newRow("record over a point")
        << Change([](MeasurementDocument* d) { return recordPosition(d, 3, 2, {QPointF(1, 2)}); })
        << "positionsChanged";
    QTest::newRow("clear a range")
        << Change([](MeasurementDocument* d) { return clearPositions(d, 2, 6, 2, 2); })
        << "positionsChanged";
    QTest::newRow("time origin") << Change([](MeasurementDocument* d) {
        return new SetTimeOrigin(d, 7);
    }) << "timeOriginChanged";
    QTest::newRow("calibration") << Change([](MeasurementDocument* d) {
        Calibration c = d->calibration();
        c.Xo = 12.5;
        c.signY = -1;
        c.sensitivity = 0.002L;
        return new ChangeCalibration(d, QStringLiteral("l'origine des axes"), c,
                                     QStringLiteral("0,5"));
    }) << "calibrationChanged";
    QTest::newRow("fewer points") << Change([](MeasurementDocument* d) {
        return new ChangePointsPerFrame(d, 1);
    }) << "pointsPerFrameChanged";
    QTest::newRow("more points") << Change([](MeasurementDocument* d) {
        return new ChangePointsPerFrame(d, 5);
    }) << "pointsPerFrameChanged";
    QTest::newRow("styles") << Change([](MeasurementDocument* d) {
        PointStyles s = d->styles();
        s.point(2) = {Qt::red, false, 2};
        s.axes.drawn = false;
        return new ChangeStyles(d, QStringLiteral("l'aspect du point"), s, 4);
    }) << "stylesChanged";
    QTest::newRow("capture rate") << Change([](MeasurementDocument* d) {
        return new ChangeCaptureRate(d, 240.0L, 5);
    }) << "timesChanged";
}

void DocumentUndo::eachChange() {
    QFETCH(Change, change);
    QFETCH(QString, signal);
    MeasurementDocument d;
    prepare(d);
    const State before = State::of(d);
    const QByteArray signature = QByteArray("2") + signal.toLatin1() +
                                 (signal == QLatin1String("positionsChanged") ? "(int,int)" : "()");
    QSignalSpy spy(&d, signature.constData());

    d.undoStack()->push(change(&d));
    const State after = State::of(d);
    QVERIFY2(!(after == before), "the change changed nothing");
    QVERIFY(spy.count() >= 1);

    d.undoStack()->undo();
    QVERIFY(State::of(d) == before);
    d.undoStack()->redo();
    QVERIFY(State::of(d) == after);
    QCOMPARE(d.undoStack()->count(), 1);
}

void DocumentUndo::typedValuesMergeWithinOneEdit() {
    MeasurementDocument d;
    prepare(d);
    const std::optional<long double> before = d.captureRate();
    // "1", "12", "120": one step while the field is being typed into.
    for (long double rate : {1.0L, 12.0L, 120.0L})
        d.undoStack()->push(new ChangeCaptureRate(&d, rate, 3, 7));
    QCOMPARE(d.undoStack()->count(), 1);
    // The next visit of the field is another step.
    d.undoStack()->push(new ChangeCaptureRate(&d, 240.0L, 5, 8));
    QCOMPARE(d.undoStack()->count(), 2);
    d.undoStack()->undo();
    QCOMPARE(d.captureRate(), std::optional<long double>(120.0L));
    d.undoStack()->undo();
    QCOMPARE(d.captureRate(), before);
    // A clearing and a click are never merged.
    d.undoStack()->push(recordPosition(&d, 11, 1, {QPointF(1, 1)}));
    d.undoStack()->push(recordPosition(&d, 12, 1, {QPointF(1, 1)}));
    QCOMPARE(d.undoStack()->count(), 2);
}

void DocumentUndo::trackingRunIsOneStep() {
    MeasurementDocument d;
    d.openClip({QStringLiteral("/clips/long.mp4"),
                600,
                QSize(1920, 1080),
                QStringLiteral("avc1"),
                1 / 60.0L,
                {}});
    std::vector<PositionChange> run;
    for (int f = 0; f < 500; ++f)
        run.push_back({f, 1, std::nullopt, PointPosition{QPointF(f + 0.25, 2 * f + 0.5), true}});
    QSignalSpy spy(&d, &MeasurementDocument::positionsChanged);
    d.undoStack()->push(new ChangePositions(&d, QStringLiteral("le suivi automatique"), run));
    QCOMPARE(d.positionCount(), 500);
    QCOMPARE(spy.count(), 1); // one signal for the whole run
    QCOMPARE(spy.first().value(0).toInt(), 0);
    QCOMPARE(spy.first().value(1).toInt(), 499);
    QVERIFY(d.position(499, 1)->automatic);
    QCOMPARE(d.position(499, 1)->pixel, QPointF(499.25, 998.5));
    d.undoStack()->undo();
    QCOMPARE(d.positionCount(), 0);
    d.undoStack()->redo();
    QCOMPARE(d.positionCount(), 500);
    QCOMPARE(d.undoStack()->count(), 1);
}

void DocumentUndo::openingStartsANewHistory() {
    MeasurementDocument d;
    prepare(d);
    d.undoStack()->push(recordPosition(&d, 20, 1, {QPointF(1, 1)}));
    d.undoStack()->push(new SetTimeOrigin(&d, 3));
    d.openClip({QStringLiteral("/clips/b.avi"), 5, QSize(64, 48), QString(), 0.1L, {}});
    QVERIFY(!d.undoStack()->canUndo());
    QVERIFY(!d.hasPositions());
    // Nothing of the first clip can come back into the second.
    d.undoStack()->undo();
    QVERIFY(!d.hasPositions());
    QCOMPARE(d.timeOrigin(), 0);
}

QTEST_GUILESS_MAIN(DocumentUndo)
#include "document_undo.moc"
