#include "pointing/recording.h"

#include "geometry/pixel_conversion.h"

#include <algorithm>

namespace traxilo {

RecordPlan planRecording(const ClickContext& context) {
    RecordPlan plan;
    const int F = context.frameCount;
    if (F <= 0 || context.currentFrame < 0 || context.currentFrame >= F)
        return plan;
    if (!insideDisplayedPicture(context.pixel.x(), context.pixel.y(), context.picture.width(),
                                context.picture.height()))
        return plan;

    const int k = std::clamp(context.currentPoint, 1, std::max(1, context.pointsPerFrame));
    const int c = 2 * k - 1;
    const int r = context.currentFrame + 1;
    plan.recorded = true;
    plan.point = k;
    plan.row = r;
    plan.refilled = context.alreadyRecorded;

    const bool more = k < context.pointsPerFrame;
    const int step = std::max(1, context.step);
    const bool next = r + step <= F;
    const MarkUpdate mark = plan.refilled ? MarkUpdate::Redraw : MarkUpdate::DrawNewMark;
    const MarkUpdate afterMove = plan.refilled ? MarkUpdate::Drawpoints : MarkUpdate::DrawNewMark;

    if (context.autoH && more) {
        plan.mark = mark;
        plan.newCol = c + 2;
        plan.newPoint = k + 1;
    } else if (context.autoH && context.autoV && next) {
        plan.nextFrame = context.currentFrame + step;
        plan.mark = afterMove;
        plan.newRow = r + step;
        plan.newCol = 1;
        plan.newPoint = 1;
    } else if (!context.autoH && context.autoV && next) {
        plan.nextFrame = context.currentFrame + step;
        plan.mark = afterMove;
        plan.newRow = r + step;
    } else {
        plan.mark = mark;
    }
    return plan;
}

void applyRecordPlan(TextGrid& grid, const RecordPlan& plan) {
    if (!plan.recorded)
        return;
    if (plan.newRow)
        grid.setRow(*plan.newRow);
    if (plan.newCol)
        grid.setCol(*plan.newCol);

    // The recorded row, not the new current one, is what must stay in view.
    const int visibleRows = grid.visibleRowCount();
    if (visibleRows > 0 && plan.row >= grid.topRow() + visibleRows)
        grid.setTopRow(plan.row - visibleRows + 1);
    const int visibleCols = grid.visibleColCount();
    const int col = grid.col();
    if (visibleCols > 0 && visibleCols < col - grid.leftCol())
        grid.setLeftCol(col - visibleCols + 1);
    else if (col < grid.leftCol())
        grid.setLeftCol(col - 1); // the fixed column cannot scroll: column 1 comes first
}

} // namespace traxilo
