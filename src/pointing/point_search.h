#pragma once

#include "pointing/drawing.h"
#include "pointing/style_table.h"

#include <QPoint>
#include <QString>
#include <vector>

namespace traxilo {

// A recorded point found under a right click: its table row (the frame
// number shown to the user), the time text of that row, and its number.
struct PointMatch {
    int row = 0;
    QString time;
    int point = 0;
    bool operator==(const PointMatch&) const = default;
};

// Every recorded point whose drawn mark, at mark size r, covers the shown
// pixel `pixel` (its box of 2r + 1 pixels around where the point is shown at
// `displayFactor`), by increasing row and within a row by increasing point
// number; `time` is left empty for the caller. Points whose marks are hidden
// are not found: there is nothing under the mouse.
std::vector<PointMatch> pointsAt(const std::vector<PointMark>& marks, const PointStyles& styles,
                                 QPoint pixel, int markSize, long double displayFactor);

} // namespace traxilo
