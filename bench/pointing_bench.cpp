// What a recording click costs in the window: from the click to the next
// frame shown with every mark, against showing the next frame alone, on a
// 640x480 and a 1920x1080 generated clip; then reDraw (every mark drawn
// anew) and Drawpoints (the cached layer laid over the frame) with a full
// trajectory of 9 points on 10 000 rows at 1920x1080.
// Run by hand: build/bin/bench/bench_pointing_bench
#include "app/application.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "clipgen/clip_generator.h"
#include "pointing/style_table.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
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
    if (!w.openClipFile(path) || !w.clipOpen()) {
        std::printf("cannot open %s\n", qPrintable(path));
        return false;
    }
    return true;
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

    // Showing each next frame, no marks.
    if (!openClip(w, path))
        return;
    std::vector<double> plain;
    for (int i = 1; i < frames; ++i)
        plain.push_back(timeMs([&] { w.mpPositionner(i); }));

    // Opened again (a cold cache as above): one click per frame, the clip
    // stepping on by itself; the trajectory grows with each click.
    if (!openClip(w, path))
        return;
    std::vector<double> clicks;
    for (int i = 0; i + 1 < frames; ++i) {
        const QPoint pixel(10 + (i * 7) % (width - 20), 10 + (i * 5) % (height - 20));
        clicks.push_back(timeMs([&] { w.PaintBox1MouseUp(Qt::LeftButton, {}, pixel); }));
    }
    const Figures p = summary(plain);
    const Figures c = summary(clicks);
    std::printf("%4dx%-4d  next frame alone: median %6.2f ms, worst %6.2f ms\n", width, height,
                p.median, p.worst);
    std::printf("%4dx%-4d  click -> next frame with marks: median %6.2f ms, worst %6.2f ms"
                "  (frame %d reached)\n",
                width, height, c.median, c.worst, w.currentFrame + 1);
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
    // A 10 000-frame clip at 1080p would take gigabytes: the table gets
    // 10 000 rows over a short clip, which is all the drawing looks at.
    w.tables.openClip(kRows, w.ClipInfo.framePeriod);
    w.tables.nbPointsPlan(kPoints);
    QRandomGenerator random(1234);
    for (int c = 1; c <= kPoints; ++c) {
        setColour(w.tables.StyleTable, c, QColor::fromHsv(c * 36, 255, 255));
        setShape(w.tables.StyleTable, c, c % 3);
    }
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kPoints; ++c) {
            w.tables.PixelTable.setCell(2 * c - 1, r, QString::number(random.bounded(W)));
            w.tables.PixelTable.setCell(2 * c, r, QString::number(random.bounded(H)));
        }
    std::vector<double> full;
    std::vector<double> cached;
    std::vector<double> shown;
    for (int i = 0; i < 10; ++i) {
        const int frame = i % clipSpec.frames;
        full.push_back(timeMs([&] { w.reDraw(frame); }));
        const int next = (frame + 1) % clipSpec.frames;
        shown.push_back(timeMs([&] {
            w.mpPositionner(next);
            w.Drawpoints();
        }));
        cached.push_back(timeMs([&] { w.mpPositionner(frame); }));
    }
    const Figures f = summary(full);
    const Figures s = summary(shown);
    const Figures m = summary(cached);
    std::printf("1920x1080  reDraw, %d marks drawn anew: median %7.2f ms, worst %7.2f ms\n",
                kRows * kPoints, f.median, f.worst);
    std::printf("1920x1080  other frame + cached marks:     median %7.2f ms, worst %7.2f ms\n",
                s.median, s.worst);
    std::printf("1920x1080  other frame alone:              median %7.2f ms, worst %7.2f ms\n",
                m.median, m.worst);
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    QTemporaryDir folder;
    // The window writes its settings file in the working folder.
    QDir::setCurrent(folder.path());
    clickRun(folder.path(), 640, 480, 60);
    clickRun(folder.path(), 1920, 1080, 40);
    trajectoryRun(folder.path());
    return 0;
}
