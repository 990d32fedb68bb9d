#pragma once

#include "pointing/text_grid.h"

#include <QPointF>
#include <QSize>
#include <optional>

namespace traxilo {

// Everything a click on the picture needs to be recorded.
struct ClickContext {
    QPointF pixel;         // where, in pixels of the picture at 100 %
    QSize picture;         // the picture at 100 %
    int frameCount = 0;    // of the open clip, 0 without one
    int currentFrame = -1; // index of the frame shown
    int pointsPerFrame = 1;
    int currentPoint = 1;
    bool alreadyRecorded = false; // the current point has a position on this frame
    bool autoH = true;            // chkBoxAutoH checked (read even while disabled)
    bool autoV = true;            // chkBoxAutoV checked
    int step = 1;                 // frames the automatic advance moves ("Pas")
};

// How the picture is brought up to date after a recording.
enum class MarkUpdate {
    None,        // nothing recorded
    DrawNewMark, // DrawMark of the new point only
    Redraw,      // reDraw of the frame shown: an older mark of this point must vanish
    Drawpoints,  // after moving to the next frame: draw everything on it
};

// What the window does after planRecording, in this order: record `point` on
// frame `row - 1`, show `nextFrame` when set, update the picture, move the
// table (applyRecordPlan), then make `newPoint` the current point when set.
struct RecordPlan {
    bool recorded = false;
    bool refilled = false; // the point had already been recorded on this frame
    int point = 0;         // the point recorded
    int row = 0;           // the table row written
    std::optional<int> nextFrame;
    MarkUpdate mark = MarkUpdate::None;
    std::optional<int> newRow;
    std::optional<int> newCol;
    std::optional<int> newPoint;
};

// Records nothing outside the picture, without a clip or a frame shown;
// otherwise the current point on the frame shown, then the automatic advance.
RecordPlan planRecording(const ClickContext& context);

// Moves the table's current cell as planned (each real move runs its
// callback), then scrolls so that row `plan.row` and the current column are
// in view.
void applyRecordPlan(TextGrid& grid, const RecordPlan& plan);

} // namespace traxilo
