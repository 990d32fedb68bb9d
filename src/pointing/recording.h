#pragma once

#include "geometry/calibration.h"
#include "pointing/measure_tables.h"

#include <optional>

namespace traxilo {

// Everything a click on the picture needs besides the tables.
struct ClickContext {
    int X = 0;
    int Y = 0;
    int displayWidth = 0;
    int displayHeight = 0;
    int currentFrame = -1; // index of the frame shown
    bool autoH = true;     // chkBoxAutoH checked (read even while disabled)
    bool autoV = true;     // chkBoxAutoV checked
    int step = 1;          // frames the automatic advance moves ("Pas")
};

// How the picture is brought up to date after a recording.
enum class MarkUpdate {
    None,        // nothing recorded
    DrawNewMark, // DrawMark of the new point only
    Redraw,      // reDraw of the frame shown: an older mark of this point must vanish
    Drawpoints,  // after moving to the next frame: draw everything on it
};

// What the widget does after recordPoint, in this order: show `nextFrame`
// when set, update the picture, apply the plan (applyRecordPlan), then show
// `newPoint` as the current point when set.
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

// Records the current point at the click: pixels into the PixelTable, metres
// into the MeasureTable, at the row of the frame shown. The time cell is left
// alone. Records nothing outside the displayed picture, without a clip or a
// frame shown. Then decides the automatic advance.
RecordPlan recordPoint(MeasureTables& tables, const Calibration& calibration,
                       const ClickContext& context);

// Moves the MeasureTable's current cell as planned (each real move runs its
// callback), makes the planned point current, then aligns the PixelTable and
// scrolls both so that row `plan.row` and the current column are in view.
void applyRecordPlan(MeasureTables& tables, const RecordPlan& plan);

} // namespace traxilo
