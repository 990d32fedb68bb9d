#include "app/main_window.h"

#include "app/pages/graphs_page.h"
#include "clip/clip_player.h"

namespace traxilo {

// The graphs are linked to the clip: the cursor follows every frame shown,
// playback included, and a click on a plotted point shows its frame.
void TForm1::connectGraphSignals() {
    connect(MediaPlayer1, &ClipPlayer::frameShown, tsGraphes,
            [this](int frame, const QImage&) { tsGraphes->setCurrentFrame(frame); });
    connect(tsGraphes, &GraphsPage::frameClicked, this, &TForm1::graphFrameClicked);
}

void TForm1::graphFrameClicked(int frame) {
    if (!clipOpen() || frame < 0 || frame >= ClipInfo.frameCount)
        return;
    if (frame != currentFrame)
        mpPositionner(frame);
    setTableRowsToCurrentFrame();
    Drawpoints();
}

} // namespace traxilo
