#pragma once

#include "tracking/tracking_run.h"

#include <QCoreApplication>
#include <QThread>
#include <QtTest>
#include <functional>
#include <optional>
#include <vector>

namespace traxilo::test {

// Runs a TrackingRun in a thread of its own, as the window does, and keeps
// on the test's thread what it says. Frames are kept without their picture,
// so the run is never held back waiting for them to be let go.
class RunHarness {
public:
    struct Frame {
        int frame = -1;
        QVector<QPointF> positions;
        QVector<tracking::PointSource> sources;
    };

    RunHarness() : run(new tracking::TrackingRun) {
        run->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, run, &QObject::deleteLater);
        QObject::connect(run, &tracking::TrackingRun::frameTracked, &m_context,
                         [this](const tracking::TrackedFrame& f) {
                             frames.push_back({f.frame, f.positions, f.sources});
                             if (onFrame)
                                 onFrame(f);
                         });
        QObject::connect(run, &tracking::TrackingRun::doubtful, &m_context,
                         [this](const tracking::TrackingDoubt& doubt) {
                             doubts.push_back(doubt);
                             if (onDoubt)
                                 onDoubt(doubt);
                         });
        QObject::connect(run, &tracking::TrackingRun::finished, &m_context,
                         [this](const tracking::RunEnd& e) { end = e; });
        m_thread.start();
    }
    ~RunHarness() {
        run->requestStop();
        m_thread.quit();
        m_thread.wait();
    }

    // Calls `f` on the run in its thread.
    template <typename F> void call(F f) {
        QMetaObject::invokeMethod(run, std::move(f), Qt::QueuedConnection);
    }
    void start(const tracking::RunSetup& setup) {
        call([r = run, setup] { r->start(setup); });
    }
    bool waitForEnd(int ms = 60000) {
        return QTest::qWaitFor([this] { return end.has_value(); }, ms);
    }

    tracking::TrackingRun* run;
    std::vector<Frame> frames;
    std::vector<tracking::TrackingDoubt> doubts;
    std::optional<tracking::RunEnd> end;
    std::function<void(const tracking::TrackedFrame&)> onFrame;
    std::function<void(const tracking::TrackingDoubt&)> onDoubt; // answers questions

private:
    QThread m_thread;
    QObject m_context; // on the test's thread
};

} // namespace traxilo::test
