// What a recording click costs in the window: from the click to the next
// frame shown with every mark, against showing the next frame alone, on a
// 640x480 and a 1920x1080 generated clip; then, with a full trajectory of 9
// points on 10 000 rows at 1920x1080, a redraw of every mark (a change of
// the mark size) and the next frame over the cached marks.
// The window is driven as a user does: mouse events on the picture, its
// buttons and menu items found by name.
// Run by hand: build/bin/bench/bench_pointing_bench
#include "app/application.h"
#include "app/main_window.h"
#include "clipgen/clip_generator.h"
#include "document/measurement_document.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace traxilo;

namespace {

struct Figures {
    double median = 0;
    double worst = 0;
};

Figures summary(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

double timeMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

bool openClip(TForm1& w, const QString& path) {
    if (!w.openClipFile(path) || !w.document().hasClip()) {
        std::printf("cannot open %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The release of a left click on the picture, which is what records.
void releaseOn(QWidget* surface, QPoint pixel) {
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pixel),
                        surface->mapToGlobal(QPointF(pixel)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &release);
}

void clickRun(const QString& folder, int width, int height, int frames) {
    clipgen::ClipSpec clipSpec;
    clipSpec.width = width;
    clipSpec.height = height;
    clipSpec.frames = frames;
    const QString path = folder + QStringLiteral("/click_%1.avi").arg(width);
    QString error;
    if (!clipgen::generateClip(clipSpec, path, &error)) {
        std::printf("clip generation failed: %s\n", qPrintable(error));
        return;
    }
    TForm1 w;
    w.show();
    QCoreApplication::processEvents();
    auto* next = w.findChild<QToolButton*>(QStringLiteral("bbtnSui"));
    auto* surface = w.findChild<QWidget*>(QStringLiteral("PaintBox1"));

    // Showing each next frame, no marks.
    if (!openClip(w, path))
        return;
    std::vector<double> plain;
    for (int i = 1; i < frames; ++i)
        plain.push_back(timeMs([&] { next->click(); }));

    // Opened again (a cold cache as above): one click per frame, the clip
    // stepping on by itself; the trajectory grows with each click.
    if (!openClip(w, path))
        return;
    std::vector<double> clicks;
    for (int i = 0; i + 1 < frames; ++i) {
        const QPoint pixel(10 + (i * 7) % (width - 20), 10 + (i * 5) % (height - 20));
        clicks.push_back(timeMs([&] { releaseOn(surface, pixel); }));
    }
    const Figures p = summary(plain);
    const Figures c = summary(clicks);
    std::printf("%4dx%-4d  next frame alone: median %6.2f ms, worst %6.2f ms\n", width, height,
                p.median, p.worst);
    std::printf("%4dx%-4d  click -> next frame with marks: median %6.2f ms, worst %6.2f ms"
                "  (frame %d reached, %d points)\n",
                width, height, c.median, c.worst, w.frameShown() + 1, w.document().positionCount());
}

void trajectoryRun(const QString& folder) {
    constexpr int W = 1920;
    constexpr int H = 1080;
    constexpr int kRows = 10000;
    constexpr int kPoints = 9;
    clipgen::ClipSpec clipSpec;
    clipSpec.width = W;
    clipSpec.height = H;
    clipSpec.frames = 10;
    const QString path = folder + QStringLiteral("/trajectory.avi");
    QString error;
    if (!clipgen::generateClip(clipSpec, path, &error)) {
        std::printf("clip generation failed: %s\n", qPrintable(error));
        return;
    }
    TForm1 w;
    w.show();
    if (!openClip(w, path))
        return;
    // A 10 000-frame clip at 1080p would take gigabytes: the document gets
    // 10 000 frames over a short clip, which is all the drawing looks at.
    MeasurementDocument& document = w.document();
    DocumentClip rows = document.clip();
    rows.frameCount = kRows;
    rows.times.clear();
    document.openClip(rows);
    document.setPointsPerFrame(kPoints);
    PointStyles styles = document.styles();
    for (int c = 1; c <= kPoints; ++c) {
        styles.point(c).colour = QColor::fromHsv(c * 36, 255, 255);
        styles.point(c).shape = c % 3;
    }
    document.setStyles(styles, document.markSize());
    QRandomGenerator random(1234);
    std::vector<PositionChange> positions;
    for (int r = 0; r < kRows; ++r)
        for (int c = 1; c <= kPoints; ++c)
            positions.push_back(
                {r, c, std::nullopt,
                 PointPosition{QPointF(random.bounded(W), random.bounded(H)), false}});
    document.applyPositions(positions, true);

    // A change of the mark size draws every mark anew.
    const QList<QAction*> sizes = {w.findChild<QAction*>(QStringLiteral("mnuTaille1")),
                                   w.findChild<QAction*>(QStringLiteral("mnuTaille2"))};
    auto* next = w.findChild<QToolButton*>(QStringLiteral("bbtnSui"));
    auto* previous = w.findChild<QToolButton*>(QStringLiteral("bbtnPre"));
    std::vector<double> full;
    std::vector<double> cached;
    for (int i = 0; i < 10; ++i) {
        full.push_back(timeMs([&] { sizes[(i + 1) % 2]->trigger(); }));
        QToolButton* step = w.frameShown() + 1 < clipSpec.frames ? next : previous;
        cached.push_back(timeMs([&] { step->click(); }));
    }
    const Figures f = summary(full);
    const Figures m = summary(cached);
    std::printf("1920x1080  mark size changed, %d marks drawn anew: median %7.2f ms, worst %7.2f "
                "ms\n",
                document.positionCount(), f.median, f.worst);
    std::printf("1920x1080  other frame + cached marks:     median %7.2f ms, worst %7.2f ms\n",
                m.median, m.worst);
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    QTemporaryDir folder;
    // The window writes its settings file in the working folder, and its
    // automatic copies in the data folder: neither is the user's.
    QDir::setCurrent(folder.path());
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.path()));
    clickRun(folder.path(), 640, 480, 60);
    clickRun(folder.path(), 1920, 1080, 40);
    trajectoryRun(folder.path());
    return 0;
}
